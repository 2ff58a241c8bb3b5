// Reference files: inputs in tests/data/<format>/ and, beside them
// ("<name>.attendu.<ext>"), the exact bytes the program writes from them.
#include "app/CommandesCalibrage.h"
#include "app/CommandesResultats.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "results/ExportCSV.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

const fs::path kDonnees = ORVELLE_TEST_DATA;

std::string Octets(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    EXPECT_TRUE(in) << f << " is missing";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Remplace(std::string s, const std::string& de, const std::string& par) {
    for (size_t p = 0; !de.empty() && (p = s.find(de, p)) != std::string::npos; p += par.size())
        s.replace(p, de.size(), par);
    return s;
}

// Byte for byte; otherwise the bytes written are kept beside the test's files.
void AttendOctets(const std::string& produit, const fs::path& attendu, const fs::path& copie) {
    if (produit == Octets(attendu)) return;
    std::ofstream(copie, std::ios::binary) << produit;
    ADD_FAILURE() << attendu.filename() << " differs from what the program wrote, kept in "
                  << copie;
}

class FichiersDeReference : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dossier = fs::temp_directory_path() / ("orvelle_reference_" + std::string(info->name()) +
                                               "_" + std::to_string(getpid()));
        fs::remove_all(dossier);
        fs::create_directories(programme());
    }
    void TearDown() override {
        if (!HasFailure()) fs::remove_all(dossier);
    }

    fs::path programme() const { return dossier / "programme"; }
    // What the program wrote, the test's folder written "<dossier>".
    std::string Ecrit(const fs::path& f) const {
        return Remplace(Octets(f), dossier.string(), "<dossier>");
    }
    void Copie(const fs::path& donnee, const std::string& nom) {
        ASSERT_TRUE(fs::exists(kDonnees / donnee)) << donnee << " is missing";
        fs::copy_file(kDonnees / donnee, programme() / nom);
    }
    // The window started on the program folder (its settings file, if any).
    Orvelle& Demarre() {
        o = std::make_unique<Orvelle>(p, programme().string());
        Demarrage(*o);
        Activation(*o);
        return *o;
    }
    // The grid file loaded; its pictures missing, or found in the image folder.
    Orvelle& Charge(const std::string& trame, bool photos = false) {
        Demarre();
        if (photos) {
            const fs::path d = dossier / "photos";
            fs::create_directories(d);
            for (const auto& [nom, taille] : {std::pair{"spore 1.jpg", TailleImage{1600, 1200}},
                                              std::pair{"spore 2.jpg", TailleImage{2048, 1536}}}) {
                std::ofstream(d / nom) << "image";
                p.images[(d / nom).string()] = taille;
            }
            o->parametres.repImage = d.string();
        }
        EXPECT_EQ(ChargeTrame(*o, (kDonnees / "trame" / trame).string()),
                  ResultatChargement::Charge);
        return *o;
    }

    test::PlateformeFactice p;
    fs::path dossier;
    std::unique_ptr<Orvelle> o;
};

// The grid file read (every value recomputed from its points, or taken from
// the record where the points cannot give it), then saved again.
TEST_F(FichiersDeReference, GrilleRelueEtSauvee) {
    for (const std::string nom : {"spores2d", "polygone"}) {
        SCOPED_TRACE(nom);
        Orvelle& x = Charge(nom + ".trm", nom == "spores2d");
        // The spores' pictures are found in the image folder; the polygon's is said missing.
        EXPECT_EQ(p.Textes("message"),
                  nom == "spores2d"
                      ? std::vector<std::string>{}
                      : std::vector<std::string>{"/photos/hyphes/boucle.jpg " + x.textes.Msg(209)});
        p.Oublie();
        const fs::path sortie = dossier / (nom + ".trm");
        ASSERT_TRUE(SauveTrame(x, sortie.string()));
        AttendOctets(Ecrit(sortie), kDonnees / "trame" / (nom + ".attendu.trm"),
                     dossier / (nom + ".ecrit.trm"));
    }
}

const char* const kCommentaireExport = "Récolte du 12 octobre, forêt de Sénart";

// The export of the loaded work: header, table, statistics, order
// statistics, one summary line per column and the notation.
TEST_F(FichiersDeReference, ExportDeLaGrille) {
    Orvelle& x = Charge("spores2d.trm");
    x.resultats.exportCSV.horloge = [] { return Horodatage{"07/12/2025", "14:30:00"}; };
    x.resultats.exportCSV.commentaire = kCommentaireExport;
    Clic(x, Controle::NotationD159);
    const fs::path sortie = dossier / "spores2d.csv";
    p.fichiers.push_back(sortie.string());
    ASSERT_TRUE(ExporteCSV(x, true));
    AttendOctets(Ecrit(sortie), kDonnees / "csv" / "spores2d.attendu.csv",
                 dossier / "spores2d.ecrit.csv");
}

// The settings read at start-up, then written on demand: the program folder
// is the one it runs from, whatever the file said. Without a settings file,
// the first start writes the defaults.
TEST_F(FichiersDeReference, ParametresLusPuisEcrits) {
    Copie("parametres/reference.dat", "Zelk.dat");
    Clic(Demarre(), Controle::SauverParametres);
    AttendOctets(Ecrit(programme() / "Zelk.dat"), kDonnees / "parametres" / "reference.attendu.dat",
                 dossier / "Zelk.ecrit.dat");
    fs::remove(programme() / "Zelk.dat");
    Demarre();
    AttendOctets(Ecrit(programme() / "Zelk.dat"), kDonnees / "parametres" / "defaut.attendu.dat",
                 dossier / "defaut.ecrit.dat");
}

// A calibration stored from the panel is added after the lines already there.
TEST_F(FichiersDeReference, CalibrageAjoute) {
    Copie("calibrage/reference.Cal", "Zelk.Cal");
    Orvelle& x = Demarre();
    FixeCalibrage(x, 50.0 / 2937); // 50 µm over 2937 pixel units
    Clic(x, Controle::EtalonnageResolution);
    Clic(x, Controle::CalibrageSauvegarde);
    x.controles.Texte(Controle::TexteCalibrage, "Zeiss ×63 — été 2025");
    Clic(x, Controle::ValiderCalibrage);
    AttendOctets(Ecrit(programme() / "Zelk.Cal"), kDonnees / "calibrage" / "reference.attendu.Cal",
                 dossier / "Zelk.ecrit.Cal");
}

// A German language file chosen in the settings, applied at start-up.
TEST_F(FichiersDeReference, LangueAppliquee) {
    Copie("langue/Zelk2_de.lng", "Zelk2_de.lng");
    std::ofstream(programme() / "Zelk.dat", std::ios::binary) << "LANGUE = de\r\n";
    Orvelle& x = Demarre();
    const std::pair<Controle, const char*> legendes[] = {
        {Controle::MenuFonctions, "Funktionen"},
        {Controle::FonctionSpores2D, "Sporen 2D"}, // after a comment in the section
        {Controle::SauverTrame, "Raster speichern"},
        {Controle::Etalonner, "Kalibrieren"},
        {Controle::CaseCalculStat, "Stat. berechnen"},
        {Controle::OptionPalmer, "Messschieber"},
        {Controle::LegendeObjectif, "X Obj. (Vergr.)"},
        {Controle::CadreCalibrage, "Kalibrierung"},
        // Captioned from the tables once the file is read.
        {Controle::FonctionCystides4, "4 Messungen"},
        {Controle::DemarrageSpores2D, "Sporen 2D (Start)"},
        {Controle::Choix3DLargeur, "Breite"},
        {Controle::PanneauCouleur1, "Raster"},
        // Not in the file: the French caption stays.
        {Controle::OptionBipoint, "Bipoint"},
    };
    for (const auto& [c, texte] : legendes) EXPECT_EQ(x.controles.Texte(c), texte) << texte;
    const std::tuple<Table, int, const char*> textes[] = {
        {Table::MSG, 139, "Software zur Sporenmessung"},
        {Table::MSG, 144, "Dateifehler"},
        {Table::MSG, 145, "mesure nulle"},
        {Table::MNU, 40, "Messungen"},
        {Table::MSTAT, 7, "Mittelwert"},
        {Table::MNUSTAT, 1, "Punktwolke"},
        {Table::TINTAVAL, 1, "Raster"},
    };
    for (const auto& [t, i, texte] : textes) EXPECT_EQ(x.textes.Lit(t, i), texte) << i;
}

} // namespace
} // namespace orv
