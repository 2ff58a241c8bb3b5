#include "app/Langue.h"

#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "app/FichierLangue.h"
#include "app/MenuOptions.h"
#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "interface/FichiersRefuses.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"

#include <vector>

namespace orv {

namespace {

void Legende(Controles& c, Controle x, const std::string& texte) {
    c.Texte(x, texte);
}

// The tables caption whole families of menu entries by their indexes.
void Legende(Controles& c, std::string_view famille, int index, const std::string& texte) {
    if (const auto x = ControleDe(famille, index)) c.Texte(*x, texte);
}

} // namespace

std::optional<std::string> FichierLangueTrouve(const Orvelle& o, const std::string& code) {
    const std::string nom = "Zelk2_" + code + ".lng";
    for (const auto& dossier : {o.dossierProgramme, o.dossierDonnees}) {
        if (dossier.empty()) continue;
        const std::string chemin = dossier + "/" + nom;
        if (FichierExiste(chemin)) return chemin;
    }
    return std::nullopt;
}

std::string CheminFichierLangue(const Orvelle& o) {
    const std::string& code = o.parametres.langue;
    return FichierLangueTrouve(o, code).value_or(o.dossierProgramme + "/Zelk2_" + code + ".lng");
}

std::optional<std::string> LangueBureau(const char* lcAll, const char* lcMessages,
                                        const char* lang) {
    std::string locale;
    for (const char* v : {lcAll, lcMessages, lang})
        if (v && *v) {
            locale = v;
            break;
        }
    // "de_DE.UTF-8@euro": the language is what comes before the territory.
    std::string code = locale.substr(0, locale.find_first_of("_.@"));
    for (char& c : code) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c < 'a' || c > 'z') return std::nullopt;
    }
    if (code.empty() || code == "c" || code == "posix") return std::nullopt;
    return code;
}

namespace {

// The built-in French again: the tables as filled at start, and every caption
// a language changed, unless the program has changed it since.
void RestaureFrancais(Orvelle& o) {
    // The prompt of the active function is the program's, not a language's.
    const std::string invite = o.textes.Msg(msg::InviteFonction);
    o.textes.RemplitMessages();
    o.textes.Fixe(Table::MSG, msg::InviteFonction, invite);
    for (const auto& [c, textes] : o.langue.legendes)
        if (o.controles.Texte(c) == textes.second) o.controles.Texte(c, textes.first);
    o.langue.legendes.clear();
}

} // namespace

void AppliqueLangue(Orvelle& o) {
    const std::string& code = o.parametres.langue;
    // Every language starts from the built-in French: what the previous one set
    // and this one does not must not stay.
    RestaureFrancais(o);
    const auto table = TableControles();
    std::vector<std::string> avant;
    avant.reserve(table.size());
    for (const auto& d : table) avant.push_back(o.controles.Texte(d.controle));

    // A missing file is no fault: the tables and captions stay as they are;
    // something else in its place is said.
    DefautLecture defaut = DefautLecture::Aucun;
    const std::string chemin = CheminFichierLangue(o);
    const auto fichier = FichierLangue::LitFichier(chemin, &defaut);
    if (const std::string refus = TexteFichierNonLu(o.textes, chemin, defaut, LimiteFichierTexte);
        !refus.empty())
        o.plateforme.Message(refus, {}, Icone::Exclamation);
    if (fichier) {
        for (const EntreeLangue& e : AppliqueEntrees(*fichier, o.textes, o.controles)) {
            // Only the buttons are reported, and only to whoever turned the switch on.
            if (e.cle != "BOUTONS" || !o.langue.diagnostic) continue;
            o.plateforme.Message(o.textes.Msg(182) + code + ", ligne " +
                                 std::to_string(e.numeroLigne) + " " + e.ligne);
        }
    }
    // French without a file of its own is the window as it starts.
    if (code != "fr" || fichier) RecaptionneDepuisTables(o);
    for (size_t i = 0; i < table.size(); ++i) {
        const std::string& apres = o.controles.Texte(table[i].controle);
        if (apres != avant[i]) o.langue.legendes[table[i].controle] = {avant[i], apres};
    }
}

std::vector<NomsLangue> NomsDesLangues(const Orvelle& o) {
    std::vector<NomsLangue> v;
    for (int i = 1; !CodeLangue(i).empty(); ++i) {
        const auto chemin = FichierLangueTrouve(o, CodeLangue(i));
        if (!chemin) continue;
        const auto fichier = FichierLangue::LitFichier(*chemin);
        if (!fichier) continue;
        NomsLangue l;
        l.textes.RemplitMessages();
        Controles controles;
        AppliqueEntrees(*fichier, l.textes, controles);
        l.polygones[0] = controles.Texte(Controle::FonctionPolygoneAuto);
        l.polygones[1] = controles.Texte(Controle::FonctionPolygoneOuvert);
        v.push_back(std::move(l));
    }
    return v;
}

void SuitLangue(Orvelle& o) {
    auto& m = o.mesure;
    // The functions' names and columns, the grids' headers and the prompt in
    // the new language; the measures stay.
    ConstruitTableFonctions(m, o.textes);
    EnteteGrille(o.ui, m, m.NumFonction);
    DisposeGrilleStatistiques(m, o.resultats.GrilleRefP);
    RafraichitInvite(o.ui, m);
    RecalculeStatistiques(o);
    Infobulles(o);
    RecomposeLegendes(o);
}

void RecomposeLegendes(Orvelle& o) {
    auto& c = o.controles;
    if (!c.Texte(Controle::LegendeScanner).empty()) {
        const std::string& nom = o.couleur.NomFichierScanner.empty() ? o.parametres.ficScanner
                                                                     : o.couleur.NomFichierScanner;
        c.Texte(Controle::LegendeScanner, o.textes.Mnu(mnu::Scanner) + nom);
    }
    if (c(Controle::CadreCopie).visible)
        c.Texte(Controle::CadreCopie, o.textes.Mnu(mnu::EnregistrementCopie));
}

void RecaptionneDepuisTables(Orvelle& o) {
    Controles& c = o.controles;
    const TablesTextes& t = o.textes;

    Legende(c, Controle::Choix3DLargeur, t.Msg(20));
    Legende(c, Controle::Choix3DEpaisseur, t.Msg(21));
    Legende(c, Controle::APropos, t.Msg(1));
    for (int i = 1; i <= 3; ++i) Legende(c, "Cyst", i, std::to_string(i + 2) + " " + t.Mnu(40));
    for (int i = 1; i <= 2; ++i) Legende(c, "MnDens", i, t.Mnu(49 + i));
    for (int i = 1; i <= 2; ++i) Legende(c, "Mncp", i, t.Mnu(41 + i));
    for (int i = 1; i <= 3; ++i) Legende(c, "MnuCharg", i, t.Mnu(35 + i));
    for (int i = 1; i <= 4; ++i) Legende(c, "MnuTwain", i, t.Mnu(30 + i));
    Legende(c, Controle::MenuCouleurs, t.Mnu(55));
    for (int i = 1; i <= 8; ++i) Legende(c, "MnuChrt", i, t.Mnu(55 + i));
    for (int i = 1; i <= 6; ++i) Legende(c, "Illus", i, t.Mnu(65 + i));
    for (int i = 1; i <= 5; ++i) Legende(c, "Fdemarrage", i, t.Mnu(87 + i));
    Legende(c, Controle::DemarrageTintaval, t.Mnu(95));
    for (int i = 1; i <= 4; ++i) Legende(c, "statdef", i, t.Mnu(96 + i));
    for (int i = 1; i <= 2; ++i) Legende(c, "Mn_Copie_Ecran", i, t.Mnu(101 + i));
    Legende(c, Controle::CaseModeMC, t.Mnu(45));
    Legende(c, Controle::SauverTrameSous, t.Mnu(mnu::SauverTrameSous));
    Legende(c, Controle::OptionCalibragePeriode, t.Mnu(mnu::OptionPeriode));
    Legende(c, Controle::FonctionUnClic, t.Mnu(mnu::SporesUnClic));
    Legende(c, Controle::TrouveSpores, t.Mnu(mnu::TrouveSpores));
    Legende(c, Controle::AccepteSpores, t.Mnu(mnu::AccepteSpores));
    Legende(c, Controle::AbandonneRecherche, t.Mnu(mnu::AbandonneRecherche));
    Legende(c, Controle::CaseAccroche, t.Mnu(mnu::AccrocheBord));
    Legende(c, Controle::GroupeChargeMC, t.Mnu(45));
    // Colour panel: entries 0 to 6 caption its buttons and check boxes, entry 7
    // the calibrated-mode box.
    for (int i = 0; i <= 6; ++i) Legende(c, "CouleurPanneau", i, t.Tintaval(i));
    Legende(c, Controle::CaseCalibre, t.Tintaval(7));
}

} // namespace orv
