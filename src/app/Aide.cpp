#include "app/Aide.h"

#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Pointage.h"

#include <optional>

#ifndef ORVELLE_DATE_CONSTRUCTION
#define ORVELLE_DATE_CONSTRUCTION "?"
#endif

namespace orv {

namespace {

using C = Controle;

// The licence as its SPDX name, the same in every language.
constexpr const char* kLicence = "GNU GPL-3.0-or-later";

// The warning text of the current language: the program folder first, then
// the files shipped with the program.
std::optional<std::vector<std::string>> TexteAvertissement(const Orvelle& o) {
    const std::string nom = "avert_" + o.parametres.langue + ".txt";
    for (const auto& dossier : {o.dossierProgramme, o.dossierDonnees}) {
        if (dossier.empty()) continue;
        if (auto l = LitLignesFichier(dossier + "/" + nom)) return l;
    }
    return std::nullopt;
}

std::string Lignes(const std::vector<std::string>& lignes) {
    std::string texte;
    for (const auto& l : lignes) texte += l + std::string(FinDeLigne);
    return texte;
}

// The help frame in one of its views: the welcome view keeps its box and its
// OK button, the key memo and the guide close with "fermer".
void CadreAide(Orvelle& o, const std::string& titre, bool bienvenue) {
    auto& c = o.controles;
    c.Texte(C::CadreBienvenue, titre);
    c.Visible(C::CaseIgnorerBienvenue, bienvenue);
    c.Visible(C::BienvenueOK, bienvenue);
    c.Visible(C::AideFermer, !bienvenue);
    if (!bienvenue) c.Texte(C::AideFermer, o.textes.MnuStat(mnustat::Fermer));
    // The pointed length, as a whole number.
    c.Texte(C::TexteSaisie, std::to_string(o.mesure.LongueurPixels));
    o.aide.bienvenueAffichee = bienvenue;
    o.aide.memoCles = o.aide.pasAPas = false;
}

std::string Nombre(const Orvelle& o, double v) {
    return TexteNombre(v, o.Sep());
}

// The caption of item i of a menu group (0-based), empty when there is none.
std::string LegendeDuGroupe(const Orvelle& o, Controle premier, int i) {
    const auto groupe = MemeFamille(premier);
    if (i < 0 || i >= static_cast<int>(groupe.size())) return {};
    return o.controles.Texte(groupe[static_cast<std::size_t>(i)]);
}

} // namespace

void AfficheBienvenue(Orvelle& o) {
    CadreAide(o, o.textes.Mnu(mnu::Bienvenue), true);
    const bool ignorer = o.controles(C::CaseIgnorerBienvenue).coche;
    o.aide.bienvenueAffichee = !ignorer;
    o.controles.Visible(C::CadreBienvenue, !ignorer);
    const auto lignes = TexteAvertissement(o);
    o.controles.Texte(C::TexteBienvenue, lignes ? Lignes(*lignes) : std::string());
}

void AfficheMemoCles(Orvelle& o) {
    CadreAide(o, o.textes.Mnu(mnu::MemoCles), false);
    o.controles.Visible(C::CadreBienvenue, true);
    // The key lines as the pointing builds them, then the entries after them.
    std::string texte = AideTouches(o.textes) + std::string(FinDeLigne);
    for (int i = msg::AideTouchesFin + 1; i <= msg::MemoClesFin; ++i)
        texte += o.textes.Msg(i) + std::string(FinDeLigne);
    o.controles.Texte(C::TexteBienvenue, texte);
    o.aide.memoCles = true;
}

void AffichePasAPas(Orvelle& o) {
    CadreAide(o, o.textes.Mnu(mnu::PasAPas), false);
    o.controles.Visible(C::CadreBienvenue, true);
    std::vector<std::string> lignes;
    for (int i = mnu::GuidePremier; i <= mnu::GuideDernier; ++i) {
        lignes.push_back(o.textes.Mnu(i));
        // A blank line before and after "Orvelle est prêt à mesurer".
        if (i == mnu::GuideDernier - 3 || i == mnu::GuideDernier - 2) lignes.emplace_back();
    }
    o.controles.Texte(C::TexteBienvenue, Lignes(lignes));
    o.aide.pasAPas = true;
}

void FermeAide(Orvelle& o) {
    o.controles.Visible(C::CadreBienvenue, false);
    o.controles.Texte(C::TexteBienvenue, "");
    o.aide.memoCles = o.aide.pasAPas = false;
}

std::vector<std::string> ListeParametres(Orvelle& o) {
    const Parametres& p = o.parametres;
    const auto& c = o.controles;
    const auto& ch = o.images.chargeur;
    const int index = o.images.IndexImage;
    const double kImage = index >= 0 && index < static_cast<int>(o.calibrage.CalibrageImage.size())
                              ? o.calibrage.CalibrageImage[static_cast<std::size_t>(index)]
                              : 0.0;
    const TailleImage ecran = o.plateforme.TailleEcran();
    std::vector<std::string> l{
        " * : " + o.textes.Mnu(mnu::ParametreSauvegarde),
        "Langue * = " + p.langue,
        "Fic Trame = " + o.trame.FicTrame,
        "Img_Active = " + NomFichierImage(o.images.cheminImage),
        "Index Image = " + std::to_string(index),
        "Indep_Resol * = " + VraiFaux(p.indPres),
        "cal. *= " + Nombre(o, o.calibrage.CoefCalibrage),
        "K calibrage img *= " + Nombre(o, kImage),
        "Res.Ecran *= " + std::to_string(ecran.largeur) + "x" + std::to_string(ecran.hauteur),
        " K zoom = " + FormatNombre(o.images.vue.FacteurZoom(), "###0.0000", o.Sep()),
        " taille grille =  " + std::to_string(o.mesure.GrilleRef.Lignes() - 1),
        "Nb images prêtes = " + std::to_string(ch.ListIMGchar.size()),
        "Nb images MC = " + std::to_string(o.calibrage.groupe.ListImgMC.size()),
        "num image active = " + std::to_string(index),
        "REP. IMAGE *: " + p.repImage,
        "REP. DATA *:" + p.repData,
        "REP. PROG *:" + o.dossierProgramme,
    };
    for (std::size_t i = 0; i < ch.ListIMGchar.size(); ++i)
        l.push_back(std::to_string(i + 1) + " : " + NomFichierImage(ch.ListIMGchar[i]));
    const std::vector<std::string> suite{
        "Fonction = " + o.mesure.NomFonction,
        "FONCTION DEMARRAGE *= " + std::to_string(p.fonctionDemarrage),
        "Format Décimal *:" + p.fDecimal,
        "FDecimAuto * =" + VraiFaux(p.decimAuto),
        "Autotrace * =" + VraiFaux(c(C::CaseAutoRetrace).coche),
        "Palmer * =" + VraiFaux(c(C::OptionPalmer).coche),
        "Tol. Clic * =" + std::to_string(p.clicDixiemes),
        o.textes.Mnu(mnu::SauvegardeAuto) + "* = " + std::to_string(p.savAuto),
        "Taille grille * =" + std::to_string(p.tGrille),
        "notation éclair : " + LegendeDuGroupe(o, C::NotationD19, o.resultats.NotationEclair - 1),
        "Extension image export * = " + LegendeDuGroupe(o, C::FormatImageBMP, p.extImg),
    };
    l.insert(l.end(), suite.begin(), suite.end());
    return l;
}

void BasculeListeParametres(Orvelle& o) {
    auto& c = o.controles;
    o.ui.Statut(o.textes.Msg(msg::FermerOptions));
    const bool montre = !c(C::ListeParametres).visible;
    if (montre) c.Texte(C::ListeParametres, Lignes(ListeParametres(o)));
    c.Visible(C::ListeParametres, montre);
}

void AfficheAPropos(Orvelle& o) {
    const auto& t = o.textes;
    const std::string documentation =
        o.dossierDonnees.empty() ? o.dossierProgramme : o.dossierDonnees;
    std::string texte = Lignes(
        {t.Msg(msg::Titre) + " - " + t.Msg(msg::Logiciel), t.Mnu(mnu::Version) + ORVELLE_VERSION,
         std::string("Maj ") + ORVELLE_DATE_CONSTRUCTION, t.Mnu(mnu::Licence) + kLicence,
         t.Mnu(mnu::DossierDocumentation) + documentation});
    texte.resize(texte.size() - FinDeLigne.size()); // no line break after the last line
    o.controles.Texte(C::LegendeAPropos, texte);
    o.controles.Texte(C::AProposFermer, t.MnuStat(mnustat::Fermer));
    o.controles.Visible(C::APropos, false);
    o.controles.Visible(C::CadreAPropos, true);
}

void FermeAPropos(Orvelle& o) {
    o.controles.Visible(C::CadreAPropos, false);
    o.controles.Visible(C::APropos, true);
}

void CommandeAide(Orvelle& o, Controle c) {
    switch (c) {
    case C::Aide:
        AfficheBienvenue(o);
        return;
    case C::ListeCles:
        AfficheMemoCles(o);
        return;
    case C::PasAPas:
        AffichePasAPas(o);
        return;
    case C::AideFermer:
        FermeAide(o);
        return;
    case C::VoirOptions:
        BasculeListeParametres(o);
        return;
    case C::APropos:
        AfficheAPropos(o);
        return;
    case C::AProposFermer:
        FermeAPropos(o);
        return;
    default:
        return;
    }
}

} // namespace orv
