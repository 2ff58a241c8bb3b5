#include "results/ExportCSV.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "results/Deciles.h"
#include "results/Notation.h"
#include "results/Statistiques.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <optional>
#include <tuple>

namespace orv {

namespace {

constexpr std::uint32_t kCouleurCadre10 = 0xC0C000;
// The header line of an 8-column grid with nothing but "N°": the headers are missing.
constexpr const char* kEnteteVide = "N°; ; ; ; ; ; ; ";

std::string Plain(const Interface& ui, double v) {
    return TexteNombre(v, ui.Sep());
}

// One line of a grid: every cell followed by the separator.
std::string LigneGrille(const GrilleTexte& g, int ligne, const std::string& sep) {
    std::string t;
    for (int c = 0; c < g.Colonnes(); ++c) t += g.Texte(ligne, c) + sep;
    return t;
}

// The order statistics row: label, one value per statistics column, a closing separator.
template <typename F>
std::string LigneOrdre(const Interface& ui, const EtatMesure& m, const std::string& libelle,
                       const std::string& sep, F valeur) {
    std::string t = libelle + sep;
    for (int c = 1; c <= m.NbColStat && c < ColonnesResultats; ++c) {
        const std::optional<double> v = valeur(static_cast<size_t>(c));
        t += (v ? Plain(ui, *v) : std::string()) + sep;
    }
    return t + sep;
}

bool ReponseOK(Interface& ui, const std::string& chemin) {
    return ui.plateforme.QuestionOKAnnuler(chemin + std::string(FinDeLigne) + ui.Msg(msg::Ecraser));
}

bool AUneExtension(const std::string& chemin) {
    const std::string nom = NomFichierImage(chemin);
    const auto p = nom.rfind('.');
    return p != std::string::npos && p > 0 && p + 1 < nom.size();
}

void MontreSaisieLigne(Interface& ui, bool visible) {
    ui.controles.Visible(Controle::NumeroCommentaire, visible);
    ui.controles.Visible(Controle::DefilementCommentaire, visible);
}

} // namespace

std::string SeparateurExport(const std::string& extension) {
    return extension == "txt" ? "\t;" : "; ";
}

Horodatage HorodatageLocal() {
    const std::time_t maintenant = std::time(nullptr);
    std::tm t{};
    localtime_r(&maintenant, &t);
    char date[32], heure[32];
    std::strftime(date, sizeof date, "%d/%m/%Y", &t);
    std::strftime(heure, sizeof heure, "%H:%M:%S", &t);
    return {date, heure};
}

Horodatage HorodatageExport(const EtatExport& e) {
    return e.horloge ? e.horloge() : HorodatageLocal();
}

std::string LigneVolume(const EtatResultats& r, const Parametres& p, char sep) {
    if (r.VolApprox <= 0) return "Vol. Approx.3D = NC ";
    const auto fmt = [&](double v) { return FormatNombre(v, p.fDecimal, sep); };
    return "Vol. Approx.3D = " + fmt(r.VolApprox) + "  Sigma_Vol = " + fmt(r.SigmaVol);
}

std::vector<std::string> LignesExport(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                                      const Parametres& prm, const ContexteExport& x,
                                      const Horodatage& h) {
    StatColonnes(ui, m, r, prm);
    const std::string sep = SeparateurExport(r.extensionExport);
    const std::string fin(FinDeLigne);

    // Each piece is one printed line; a piece may itself hold line breaks.
    std::string texte;
    const auto ecrit = [&texte, &fin](const std::string& piece) { texte += piece + fin; };

    ecrit(" Résultat des mesures du " + h.date + " à " + h.heure);
    ecrit(prm.indPres ? "indépendance Résolution" : "indépendance Dimension");
    ecrit("Fonction : " + m.NomFonction);
    ecrit(ui.Msg(msg::ImagesChargees) + " : ");
    if (!r.FichierCSVImporte.empty())
        ecrit(fin + "CSV importé : " + NomFichierImage(r.FichierCSVImporte));
    ecrit("num" + sep + ui.Msg(msg::Fichier) + " " + ui.Msg(msg::Calibrage));
    // Every loaded image: the grid's "img" column refers to these numbers.
    const int nbImages = std::min(static_cast<int>(x.images.size()), ImagesMax);
    for (int i = 1; i <= nbImages; ++i) {
        const auto slot = static_cast<size_t>(i);
        ecrit(std::to_string(i) + sep + x.images[slot - 1] + sep +
              Plain(ui, slot < x.calibrages.size() ? x.calibrages[slot] : 0.0));
    }
    // One line whatever was typed: a line break followed by "LISTE=" would
    // otherwise start a second table.
    ecrit(SurUneLigne(r.exportCSV.commentaire));
    ecrit("");
    ecrit(std::to_string(m.LigneCourante - 1) + " mesures");
    ecrit("LISTE=");
    // The header, the measures and the empty next line.
    for (int l = 0; l <= m.LigneCourante; ++l) ecrit(LigneGrille(m.GrilleRef, l, sep));
    const auto& p = r.GrilleRefP;
    for (int l = 0; l <= 7; ++l) {
        if (LigneGrille(p, l, "; ") == kEnteteVide) ui.plateforme.Bip();
        ecrit(LigneGrille(p, l, sep));
    }

    // Counts start afresh, then every statistics column gets its order statistics.
    TableDeciles(ui, m, r, prm);
    ecrit(LigneOrdre(ui, m, "Effectif = ", sep, [&r](size_t c) { return r.NbLignes[c]; }));
    // Deciles need eleven values: their cells stay empty below.
    const auto decile = [&r](const auto& d, size_t c) {
        return r.NbLignes[c] >= ValeursDeciles ? std::optional<double>(d[c]) : std::nullopt;
    };
    ecrit(LigneOrdre(ui, m, "1er décile", sep, [&](size_t c) { return decile(r.D1, c); }));
    ecrit(LigneOrdre(ui, m, "médiane", sep, [&r](size_t c) { return r.Mediane[c]; }));
    ecrit(LigneOrdre(ui, m, "9ème décile", sep, [&](size_t c) { return decile(r.D9, c); }));
    ecrit("");
    for (int c = 1; c <= m.NbColStat && c < ColonnesResultats; ++c) {
        const auto i = static_cast<size_t>(c);
        std::string bas, haut, forme = "; D1,9 ;(";
        if (r.NbLignes[i] >= ValeursDeciles) {
            bas = Plain(ui, r.D1[i]);
            haut = Plain(ui, r.D9[i]);
        } else {
            // No deciles below 11 values: the range is the mean give or take
            // sigma, as the notation then says.
            forme = "; m ± sigma ;(";
            std::tie(bas, haut) = BornesMoyenneSigma({ui, m, r, prm}, c);
        }
        ecrit(m.GrilleRef.Texte(0, c) + " : " + "N=" + Plain(ui, r.NbLignes[i]) + forme +
              p.Texte(2, c) + " )" + bas + " - " + haut + "(" + p.Texte(3, c) + ")");
    }
    if (m.NumFonction == fonction::Spores3D) ecrit(LigneVolume(r, prm, ui.Sep()));
    ecrit("");
    ecrit(fin + Notation(ui, m, r, prm));
    return DecoupeLignes(texte);
}

std::string OctetsExport(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                         const Parametres& p, const ContexteExport& x, const Horodatage& h) {
    return TexteFichier(LignesExport(ui, m, r, p, x, h));
}

Ecriture EcritFichierExport(const std::string& chemin, const Interface& ui, const EtatMesure& m,
                            EtatResultats& r, const Parametres& p, const ContexteExport& x,
                            const Horodatage& h) {
    return EcritAtomique(chemin, OctetsExport(ui, m, r, p, x, h));
}

std::string NomBaseExport(const std::string& image) {
    // The label holds the full path: a dot in a folder name must not cut it.
    std::string nom = NomFichierImage(image);
    nom = nom.substr(0, nom.find('.'));
    return nom.empty() ? "mesures" : nom;
}

std::string DossierExport(const Parametres& p, const std::string& dossierProgramme) {
    return p.repData.empty() ? dossierProgramme : p.repData;
}

bool ExportPossible(Interface& ui, const EtatMesure& m) {
    if (MesureEnCours(m)) {
        RefuseMesureEnCours(ui);
        return false;
    }
    if (m.LigneCourante <= 1) {
        ui.plateforme.Message(ui.Msg(msg::RienAExporter));
        return false;
    }
    return true;
}

bool ExporteCSV(Interface& ui, const EtatMesure& m, EtatResultats& r, const Parametres& p,
                const ContexteExport& x, bool avecDialogue) {
    const std::string ext = r.extensionExport.empty() ? std::string("csv") : r.extensionExport;
    const std::string base = NomBaseExport(x.cheminImage);
    std::string chemin;
    if (!avecDialogue) {
        // This command only rewrites an export made before.
        chemin = x.dossier + "/" + base + "." + ext;
        if (!FichierExiste(chemin)) {
            ui.plateforme.Message(ui.Msg(msg::ErreurFichier) + " :  " + chemin);
            return false;
        }
        if (!ReponseOK(ui, chemin)) return false;
    } else {
        const std::string filtre = "*." + ext + "|*." + ext + "|" + ui.Msg(msg::TousFichiers);
        // The dialog starts beside the work's grid file, when it has one.
        const std::string dossier =
            x.cheminTrame.empty() ? x.dossier
                                  : std::filesystem::path(x.cheminTrame).parent_path().string();
        const auto choisi = ui.plateforme.ChoisitFichierAEnregistrer(
            ui.Msg(msg::EnregistrementGrille), filtre, dossier + "/" + base + "." + ext);
        if (!choisi || choisi->empty()) return false;
        chemin = *choisi;
        if (!AUneExtension(chemin)) chemin += "." + ext;
        if (FichierExiste(chemin) && !ReponseOK(ui, chemin)) return false;
    }
    const Ecriture e = EcritFichierExport(chemin, ui, m, r, p, x, HorodatageExport(r.exportCSV));
    if (!e) {
        ui.plateforme.Message(ui.Msg(msg::ErreurFichier) + " :  " + chemin +
                                  std::string(FinDeLigne) + e.erreur,
                              {}, Icone::Exclamation);
        return false;
    }
    if (m.NumFonction == fonction::Spores3D)
        ui.controles.Texte(Controle::TexteResultats, ui.controles.Texte(Controle::TexteResultats) +
                                                         LigneVolume(r, p, ui.Sep()) +
                                                         std::string(FinDeLigne));
    return true;
}

void OuvreCadreExport(Interface& ui, EtatResultats& r) {
    auto& c = ui.controles;
    r.exportCSV.modeCadre10 = ModeCadre10::Export;
    MontreSaisieLigne(ui, false);
    c.Couleur(Controle::CadreCommentaire, kCouleurCadre10);
    c.Texte(Controle::CadreCommentaire, ui.Msg(msg::EnregistrementGrille));
    c.Texte(Controle::TexteCommentaire, r.exportCSV.commentaire);
    ui.OuvreCadre(Controle::CadreCommentaire, ProprietaireCadre::Export);
}

void QuitteModeExport(Interface& ui, EtatResultats& r) {
    if (r.exportCSV.modeCadre10 != ModeCadre10::Export) return;
    r.exportCSV.modeCadre10 = ModeCadre10::Commentaire;
    ui.FermeCadre(Controle::CadreCommentaire);
    MontreSaisieLigne(ui, true);
}

} // namespace orv
