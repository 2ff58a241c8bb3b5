#include "app/MenuOptions.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "interface/TableControles.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

namespace fs = std::filesystem;

class MenuOptions : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        for (Controle c :
             {Controle::FormatImageGIF, Controle::FormatImagePNG, Controle::FormatImageTIFF,
              Controle::FormatImagePCX, Controle::FormatImageTGA})
            o->controles.Actif(c, false);
        o->controles.Coche(Controle::MachineRapide, true);
        o->mesure.GrilleRef.FixeLignes(o->parametres.tGrille + 1);
        o->mesure.GrilleRef.FixeColonnes(4);
    }

    void Clic(Controle c) { orv::Clic(*o, c); }
    // The ticked entries of c's submenu.
    std::vector<Controle> Coches(Controle c) const {
        std::vector<Controle> v;
        for (Controle x : MemeFamille(c))
            if (o->controles(x).coche) v.push_back(x);
        return v;
    }

    test::PlateformeFactice p;
    test::DossierEssai dossier{"options"};
    std::unique_ptr<Orvelle> o;
};

TEST_F(MenuOptions, ChaqueSousMenuNeCocheQueLEntreeCliquee) {
    using C = Controle;
    for (Controle c :
         {C::DemarrageTintaval, C::FormatExportTXT, C::TailleGrille63, C::ToleranceClic4,
          C::DecimalesAuto, C::LangueFr, C::StatsNuage, C::SauvegardeAutoNon, C::NotationDominante,
          C::FormatImageJPG, C::ZoneCouleur6}) {
        for (Controle x : MemeFamille(c)) o->controles.Coche(x, true);
        Clic(c);
        EXPECT_EQ(Coches(c), std::vector<Controle>{c}) << static_cast<int>(c);
    }
    EXPECT_EQ(o->parametres.fonctionDemarrage, 20);
    EXPECT_EQ(o->resultats.extensionExport, "txt");
    EXPECT_EQ(o->parametres.tGrille, 64);
    EXPECT_EQ(o->parametres.clicDixiemes, 40);
    EXPECT_TRUE(o->parametres.decimAuto);
    EXPECT_EQ(o->parametres.fDecimal, "###0.00");
    EXPECT_EQ(o->parametres.langue, "fr");
    EXPECT_EQ(o->parametres.statDef, 1);
    EXPECT_EQ(o->parametres.savAuto, 0);
    EXPECT_EQ(o->resultats.NotationEclair, 5);
    EXPECT_EQ(o->parametres.extImg, 1);
    EXPECT_EQ(o->parametres.zoneCouleur, 6);
    // The Options menu never writes the settings file.
    EXPECT_FALSE(FichierExiste(CheminParametres(*o)));
    // A fixed format is a choice of its own: the automatic one ends.
    Clic(C::Decimales1);
    EXPECT_FALSE(o->parametres.decimAuto);
    EXPECT_EQ(o->parametres.fDecimal, "###0.0");
}

TEST_F(MenuOptions, TailleGrilleSansPerdreDeLigne) {
    Clic(Controle::TailleGrille127);
    EXPECT_EQ(o->parametres.tGrille, 128);
    EXPECT_EQ(o->mesure.GrilleRef.Lignes(), 129);
    // Exactly 64 lines fit in the smallest grid; a 65th, even under way, does not.
    o->mesure.LigneCourante = 65;
    Clic(Controle::TailleGrille63);
    EXPECT_EQ(o->mesure.GrilleRef.Lignes(), 65);
    EXPECT_TRUE(p.appels.empty());
    Clic(Controle::TailleGrille255);
    o->mesure.Etape = 2;
    Clic(Controle::TailleGrille63);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"  La table actuelle contient des données"});
    EXPECT_EQ(o->parametres.tGrille, 256);
    EXPECT_EQ(o->mesure.GrilleRef.Lignes(), 257);
}

TEST_F(MenuOptions, MachineRapide) {
    o->controles.Coche(Controle::CaseAutoRetrace, true);
    o->controles.Coche(Controle::CaseCalculStat, true);
    SelectionneModePointage(*o, 2);

    Clic(Controle::MachineRapide);
    EXPECT_FALSE(o->fenetre.machineRapide);
    EXPECT_FALSE(o->controles(Controle::OptionPalmer).actif);
    EXPECT_TRUE(o->controles(Controle::OptionBipoint).coche);
    EXPECT_EQ(o->parametres.modePointage, 1);
    EXPECT_FALSE(o->controles(Controle::CaseAutoRetrace).coche);
    EXPECT_FALSE(o->controles(Controle::CaseCalculStat).coche);

    Clic(Controle::MachineRapide);
    EXPECT_TRUE(o->fenetre.machineRapide);
    EXPECT_TRUE(o->controles(Controle::OptionPalmer).actif);
    // Turning it back on chooses nothing for the user.
    EXPECT_TRUE(o->controles(Controle::OptionBipoint).coche);
    EXPECT_EQ(o->parametres.modePointage, 1);
}

TEST_F(MenuOptions, EntreesRefusees) {
    Clic(Controle::FormatImageJPG);
    // A disabled format cannot be chosen.
    Clic(Controle::FormatImagePNG);
    EXPECT_EQ(o->parametres.extImg, 1);
    EXPECT_EQ(Coches(Controle::FormatImageJPG), std::vector<Controle>{Controle::FormatImageJPG});
    EXPECT_FALSE(ClicZoneCouleur(*o, 7));
    EXPECT_EQ(o->parametres.zoneCouleur, 3);
    EXPECT_EQ(o->parametres.clicDixiemes, 30);
}

} // namespace
} // namespace orv
