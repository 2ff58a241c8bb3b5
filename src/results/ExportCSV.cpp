#include "results/ExportCSV.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "results/ImportCSV.h"
#include "results/Notation.h"
#include "results/Statistiques.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace orv {

namespace {

// Message numbers of the text table.
constexpr int kMsgCadreExport = 119;
constexpr int kMsgFichier = 126;
constexpr int kMsgCalibrage = 109;
constexpr int kMsgEcraser = 116;
constexpr int kMsgRienAExporter = 130;
constexpr int kMsgImagesChargees = 131;
constexpr int kMsgErreurFichier = 144;
constexpr int kMsgTousFichiers = 159;

constexpr std::uint32_t kCouleurCadre10 = 0xC0C000;
// The header line of an 8-column grid with nothing but "N°": the headers are missing.
constexpr const char* kEnteteVide = "N°; ; ; ; ; ; ; ";

std::string Plain(const Orvelle& o, double v) {
    return TexteNombre(v, o.Sep());
}

// One line of a grid: every cell followed by the separator.
std::string LigneGrille(const GrilleTexte& g, int ligne, const std::string& sep) {
    std::string t;
    for (int c = 0; c < g.Colonnes(); ++c) t += g.Texte(ligne, c) + sep;
    return t;
}

// The order statistics row: label, one value per statistics column, a closing separator.
template <typename F>
std::string LigneOrdre(const Orvelle& o, const std::string& libelle, const std::string& sep,
                       F valeur) {
    std::string t = libelle + sep;
    for (int c = 1; c <= o.mesure.NbColStat && c < ColonnesResultats; ++c)
        t += Plain(o, valeur(static_cast<size_t>(c))) + sep;
    return t + sep;
}

bool ReponseOK(Orvelle& o, const std::string& chemin) {
    return o.plateforme.QuestionOKAnnuler(chemin + std::string(FinDeLigne) +
                                          o.textes.Msg(kMsgEcraser));
}

bool AUneExtension(const std::string& chemin) {
    const std::string nom = NomFichierImage(chemin);
    const auto p = nom.rfind('.');
    return p != std::string::npos && p > 0 && p + 1 < nom.size();
}

void MontreSaisieLigne(Orvelle& o, bool visible) {
    o.controles.Visible(Controle::NumeroCommentaire, visible);
    o.controles.Visible(Controle::DefilementCommentaire, visible);
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

Horodatage HorodatageExport(const Orvelle& o) {
    return o.exportCSV.horloge ? o.exportCSV.horloge() : HorodatageLocal();
}

std::string LigneVolume(const Orvelle& o) {
    const auto& r = o.resultats;
    if (r.VolApprox <= 0) return "Vol. Approx.3D = NC ";
    const auto fmt = [&o](double v) { return FormatNombre(v, o.parametres.fDecimal, o.Sep()); };
    return "Vol. Approx.3D = " + fmt(r.VolApprox) + "  Sigma_Vol = " + fmt(r.SigmaVol);
}

std::vector<std::string> LignesExport(Orvelle& o, const Horodatage& h) {
    StatColonnes(o);
    const std::string sep = SeparateurExport(o.extensionExport);
    const std::string fin(FinDeLigne);
    const auto& t = o.textes;
    const auto& m = o.mesure;

    // Each piece is one printed line; a piece may itself hold line breaks.
    std::string texte;
    const auto ecrit = [&texte, &fin](const std::string& piece) { texte += piece + fin; };

    ecrit(" Résultat des mesures du " + h.date + " à " + h.heure);
    ecrit(o.parametres.indPres ? "indépendance Résolution" : "indépendance Dimension");
    ecrit("Fonction : " + m.NomFonction);
    ecrit(t.Msg(kMsgImagesChargees) + " : ");
    if (!o.FichierCSVImporte.empty())
        ecrit(fin + "CSV importé : " + NomFichierImage(o.FichierCSVImporte));
    ecrit("num" + sep + t.Msg(kMsgFichier) + " " + t.Msg(kMsgCalibrage));
    // Every loaded image: the grid's "img" column refers to these numbers.
    const auto& images = o.images.chargeur.ListIMGchar;
    const int nbImages = std::min(static_cast<int>(images.size()), ImagesMax);
    for (int i = 1; i <= nbImages; ++i)
        ecrit(std::to_string(i) + sep + images[static_cast<size_t>(i - 1)] + sep +
              Plain(o, o.calibrage.CalibrageImage[static_cast<size_t>(i)]));
    // One line whatever was typed: a line break followed by "LISTE=" would
    // otherwise start a second table.
    ecrit(SurUneLigne(o.exportCSV.commentaire));
    ecrit("");
    ecrit(std::to_string(m.LigneCourante - 1) + " mesures");
    ecrit("LISTE=");
    // The header, the measures and the empty next line.
    for (int r = 0; r <= m.LigneCourante; ++r) ecrit(LigneGrille(o.mesure.GrilleRef, r, sep));
    for (int r = 0; r <= 7; ++r) {
        if (LigneGrille(o.GrilleRefP, r, "; ") == kEnteteVide) o.plateforme.Bip();
        ecrit(LigneGrille(o.GrilleRefP, r, sep));
    }

    // Counts start afresh, then every statistics column gets its order statistics.
    TableDeciles(o);
    const auto& r = o.resultats;
    ecrit(LigneOrdre(o, "Effectif = ", sep, [&r](size_t c) { return r.NbLignes[c]; }));
    ecrit(LigneOrdre(o, "1er décile", sep, [&r](size_t c) { return r.D1[c]; }));
    ecrit(LigneOrdre(o, "médiane", sep, [&r](size_t c) { return r.Mediane[c]; }));
    ecrit(LigneOrdre(o, "9ème décile", sep, [&r](size_t c) { return r.D9[c]; }));
    ecrit("");
    const auto& p = o.GrilleRefP;
    for (int c = 1; c <= m.NbColStat && c < ColonnesResultats; ++c) {
        const auto i = static_cast<size_t>(c);
        std::string bas, haut, forme = "; D1,9 ;(";
        if (r.NbLignes[i] >= MesuresMinimalesDeciles) {
            bas = Plain(o, r.D1[i]);
            haut = Plain(o, r.D9[i]);
        } else {
            // No deciles below 11 values: the range is the mean give or take
            // sigma, as the notation then says.
            const double moy = LitDecimal(p.Texte(1, c)), sigma = LitDecimal(p.Texte(4, c));
            forme = "; m ± sigma ;(";
            bas = TexteStatistique(o, c, moy - sigma);
            haut = TexteStatistique(o, c, moy + sigma);
        }
        ecrit(o.mesure.GrilleRef.Texte(0, c) + " : " + "N=" + Plain(o, r.NbLignes[i]) + forme +
              p.Texte(2, c) + " )" + bas + " - " + haut + "(" + p.Texte(3, c) + ")");
    }
    if (m.NumFonction == 3) ecrit(LigneVolume(o));
    ecrit("");
    ecrit(fin + Notation(o));
    return DecoupeLignes(texte);
}

std::string OctetsExport(Orvelle& o, const Horodatage& h) {
    return TexteFichier(LignesExport(o, h));
}

void EcritExport(std::ostream& out, Orvelle& o, const Horodatage& h) {
    out << OctetsExport(o, h);
}

Ecriture EcritFichierExport(const std::string& chemin, Orvelle& o, const Horodatage& h) {
    return EcritAtomique(chemin, OctetsExport(o, h));
}

std::string NomBaseExport(const Orvelle& o) {
    const std::string image = o.images.cheminImage;
    // The label holds the full path: a dot in a folder name must not cut it.
    std::string nom = NomFichierImage(image);
    nom = nom.substr(0, nom.find('.'));
    return nom.empty() ? "mesures" : nom;
}

std::string DossierExport(const Orvelle& o) {
    return o.parametres.repData.empty() ? o.dossierProgramme : o.parametres.repData;
}

bool ExportPossible(Orvelle& o) {
    if (MesureEnCours(o.mesure)) {
        RefuseMesureEnCours(o.ui);
        return false;
    }
    if (o.mesure.LigneCourante <= 1) {
        o.plateforme.Message(o.textes.Msg(kMsgRienAExporter));
        return false;
    }
    return true;
}

bool ExporteCSV(Orvelle& o, bool avecDialogue) {
    const std::string ext = o.extensionExport.empty() ? std::string("csv") : o.extensionExport;
    const std::string propose = DossierExport(o) + "/" + NomBaseExport(o) + "." + ext;
    const auto& t = o.textes;
    std::string chemin;
    if (!avecDialogue) {
        // This command only rewrites an export made before.
        chemin = propose;
        if (!FichierExiste(chemin)) {
            o.plateforme.Message(t.Msg(kMsgErreurFichier) + " :  " + chemin);
            return false;
        }
        if (!ReponseOK(o, chemin)) return false;
    } else {
        const std::string filtre = "*." + ext + "|*." + ext + "|" + t.Msg(kMsgTousFichiers);
        // The dialog starts beside the work's grid file, when it has one.
        const std::string dossier =
            o.cheminTrame.empty() ? DossierExport(o)
                                  : std::filesystem::path(o.cheminTrame).parent_path().string();
        const auto choisi = o.plateforme.ChoisitFichierAEnregistrer(
            t.Msg(kMsgCadreExport), filtre, dossier + "/" + NomBaseExport(o) + "." + ext);
        if (!choisi || choisi->empty()) return false;
        chemin = *choisi;
        if (!AUneExtension(chemin)) chemin += "." + ext;
        if (FichierExiste(chemin) && !ReponseOK(o, chemin)) return false;
    }
    const Ecriture e = EcritFichierExport(chemin, o, HorodatageExport(o));
    if (!e) {
        o.plateforme.Message(t.Msg(kMsgErreurFichier) + " :  " + chemin + std::string(FinDeLigne) +
                                 e.erreur,
                             {}, Icone::Exclamation);
        return false;
    }
    if (o.mesure.NumFonction == 3)
        o.controles.Texte(Controle::TexteResultats, o.controles.Texte(Controle::TexteResultats) +
                                                        LigneVolume(o) + std::string(FinDeLigne));
    return true;
}

void DemandeExport(Orvelle& o) {
    if (!ExportPossible(o)) return;
    // The panel serves one purpose at a time: a comment edit under way is dropped.
    if (o.mesure.commentaire.Ouvert()) FermeCommentaire(o.ui, o.mesure);
    auto& c = o.controles;
    o.exportCSV.modeCadre10 = ModeCadre10::Export;
    MontreSaisieLigne(o, false);
    c.Couleur(Controle::CadreCommentaire, kCouleurCadre10);
    c.Texte(Controle::CadreCommentaire, o.textes.Msg(kMsgCadreExport));
    c.Texte(Controle::TexteCommentaire, o.exportCSV.commentaire);
    c.Visible(Controle::CadreCommentaire, true);
}

void ExportGrille(Orvelle& o) {
    if (ExportPossible(o)) ExporteCSV(o, false);
}

void QuitteModeExport(Orvelle& o) {
    if (o.exportCSV.modeCadre10 != ModeCadre10::Export) return;
    o.exportCSV.modeCadre10 = ModeCadre10::Commentaire;
    o.controles.Visible(Controle::CadreCommentaire, false);
    MontreSaisieLigne(o, true);
}

void ValideExport(Orvelle& o) {
    o.exportCSV.commentaire = o.controles.Texte(Controle::TexteCommentaire);
    QuitteModeExport(o);
    ExporteCSV(o, true);
}

bool ClicExport(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::ExportGrilleSous:
        DemandeExport(o);
        return true;
    case Controle::ExportGrille:
        ExportGrille(o);
        return true;
    default:
        break;
    }
    if (o.exportCSV.modeCadre10 != ModeCadre10::Export) return false;
    switch (c) {
    case Controle::CommentaireValider:
        ValideExport(o);
        return true;
    case Controle::CommentaireAnnuler:
        QuitteModeExport(o);
        return true;
    case Controle::CommentaireRaz:
        o.controles.Texte(Controle::TexteCommentaire, "");
        return true;
    default:
        return false;
    }
}

} // namespace orv
