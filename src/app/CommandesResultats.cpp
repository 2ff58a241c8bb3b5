#include "app/CommandesResultats.h"
#include "measure/Grille.h"

#include "app/CommandesCouleur.h"
#include "app/Dossiers.h"

#include "app/CommandesMesure.h"
#include "app/Langue.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/CommentaireLigne.h"
#include "results/FormeSpores.h"
#include "results/Notation.h"
#include "results/Statistiques.h"
#include "results/TexteResultats.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kDelaiFlash = 2;

// The colour function has no image column.
bool AColonneImage(int n) {
    return n != 20;
}

std::string AfficheResultats(Orvelle& o) {
    std::string t =
        AfficheResultats(o.ui, o.mesure, o.resultats, o.parametres, o.images.cheminImage);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return t;
}

} // namespace

void ValideExport(Orvelle& o) {
    // The comment as the user typed it in the panel.
    o.resultats.exportCSV.commentaire = o.controles.Texte(Controle::TexteCommentaire);
    QuitteModeExport(o.ui, o.resultats);
    ExporteCSV(o, true);
}

void RecalculeStatistiques(Orvelle& o) {
    if (o.trame.relecture) return;
    if (StatColonnes(o.ui, o.mesure, o.resultats, o.parametres))
        SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    TableDeciles(o.ui, o.mesure, o.resultats, o.parametres);
}

void VideStatistiques(Orvelle& o) {
    RazStatistiques(o.resultats);
}

void MontreStatistiques(Orvelle& o, bool visible) {
    o.resultats.statistiquesAffichees = visible;
    o.controles.Visible(Controle::CadreStatistiques, visible);
}

std::string ConstruitTexteResultats(Orvelle& o) {
    std::string t =
        ConstruitTexteResultats(o.ui, o.mesure, o.resultats, o.parametres, o.images.cheminImage);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return t;
}

std::string Notation(Orvelle& o) {
    std::string t = Notation(o.ui, o.mesure, o.resultats, o.parametres);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return t;
}

ContexteExport ContexteExportDe(const Orvelle& o) {
    const auto& facteurs = o.calibrage.CalibrageImage;
    return ContexteExport{o.images.cheminImage, o.images.chargeur.ListIMGchar,
                          std::vector<double>(facteurs.begin(), facteurs.end()), DossierExport(o),
                          o.trame.chemin};
}

std::string DossierExport(const Orvelle& o) {
    return DossierTravaux(o);
}

std::vector<std::string> LignesExport(Orvelle& o, const Horodatage& h) {
    auto l = LignesExport(o.ui, o.mesure, o.resultats, o.parametres, ContexteExportDe(o), h);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return l;
}

Ecriture EcritFichierExport(const std::string& chemin, Orvelle& o, const Horodatage& h) {
    const Ecriture e = EcritFichierExport(chemin, o.ui, o.mesure, o.resultats, o.parametres,
                                          ContexteExportDe(o), h);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return e;
}

bool ExporteCSV(Orvelle& o, bool avecDialogue) {
    const bool ecrit =
        ExporteCSV(o.ui, o.mesure, o.resultats, o.parametres, ContexteExportDe(o), avecDialogue);
    SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    return ecrit;
}

void RemplaceGrille(Orvelle& o, const TableCSV& t, const std::string& chemin) {
    auto& m = o.mesure;
    auto& c = o.controles;
    RAZ_Grille_total(o);
    o.trame.FicTrame.clear(); // the work is the imported table's, not a grid file's
    m.NumFonction = t.fonction.numero;
    if (m.NumFonction == fonction::Polygone) m.PolygoneAuto = t.fonction.polygoneAuto;
    SelectionneFonction(o);
    // The function menus as choosing the function from them leaves them.
    const bool couleur = m.NumFonction == fonction::Couleur;
    c.Actif(Controle::MenuComptage, !couleur);
    c.Actif(Controle::MenuDensite, !couleur);
    c.Visible(Controle::CopieNotation, true);

    auto& g = m.GrilleRef;
    auto& p = o.resultats.GrilleRefP;
    for (size_t col = 0; col < t.entetes.size(); ++col) {
        if (t.entetes[col].empty()) continue;
        const int cc = static_cast<int>(col);
        g.FixeTexte(0, cc, t.entetes[col]);
        if (cc < p.Colonnes()) p.FixeTexte(0, cc, t.entetes[col]);
    }
    const int colonnes = std::min(g.Colonnes(), t.colonnes);
    const int colImage = AColonneImage(m.NumFonction) ? g.Colonnes() - 2 : -1;
    int r = 0;
    for (const auto& cellules : t.lignes) {
        if (++r >= g.Lignes()) break;
        for (int col = 0; col < colonnes; ++col)
            g.FixeTexte(r, col, cellules[static_cast<size_t>(col)]);
        if (colImage >= 0)
            m.TraceLignes[static_cast<size_t>(r)].image = static_cast<std::int16_t>(
                LitEntierStrict(cellules[static_cast<size_t>(colImage)]).value_or(0));
    }
    m.LigneCourante = r + 1;
    m.Etape = 1;
    o.resultats.FichierCSVImporte = chemin;
    // Outside resolution independence the factor follows the picture shown.
    if (!o.parametres.indPres && o.images.vue.LargeurPixels() > 0)
        o.calibrage.FacteurResolution = o.images.vue.LargeurPixels() * 0.001;
    RafraichitMGrille(o.mesure, LigneMiroir(o.mesure));
    RecalculeStatistiques(o);
}

bool LitCSV(Orvelle& o, const std::string& chemin) {
    const std::string fichier = chemin.empty() ? std::string("mesure.csv") : chemin;
    const LectureCSV lu =
        AnalyseFichierCSV(o.ui, o.mesure, o.parametres, fichier, NomsDesLangues(o));
    if (!lu) {
        o.plateforme.Message(MessageErreurCSV(o.textes, fichier, lu.erreur), {},
                             Icone::Exclamation);
        return false;
    }
    RemplaceGrille(o, *lu.table, fichier);
    if (lu.table->ignorees > 0)
        o.plateforme.Message(MessageLignesIgnorees(o.textes,
                                                   static_cast<int>(lu.table->lignes.size()),
                                                   lu.table->ignorees),
                             {}, Icone::Exclamation);
    return true;
}

bool ImporteCSV(Orvelle& o) {
    const auto& t = o.textes;
    const auto& m = o.mesure;
    bool continuer = true;
    bool remplacee = false;
    if (m.LigneCourante + m.Etape > 2)
        continuer = o.plateforme.QuestionOuiNon(t.Msg(msg::TableOccupee) + std::string(FinDeLigne) +
                                                    t.Msg(msg::Continuer),
                                                t.Mnu(mnu::Attention));
    if (continuer) {
        const std::string titre = o.controles.Texte(Controle::ImportCSV);
        // The file an export of the image shown would have written is proposed.
        const auto chemin = o.plateforme.ChoisitFichierAOuvrir(
            titre, "*.csv|*.csv|" + t.Msg(msg::TousFichiers),
            DossierExport(o) + "/" + NomBaseExport(o.images.cheminImage) + ".csv");
        if (chemin && !chemin->empty()) NoteDossierTravaux(o, *chemin);
        // The grid is replaced only by a file read whole.
        remplacee = chemin && !chemin->empty() && LitCSV(o, *chemin);
    }
    o.plateforme.Flash(CouleurDeconseillee, t.Mnu(mnu::MesuresDeconseillees), kDelaiFlash);
    return remplacee;
}

void CommandeResultats(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::ResultatsBascule:
        if (o.controles(Controle::CadreResultats).visible)
            o.controles.Visible(Controle::CadreResultats, false);
        else
            AfficheResultats(o);
        return;
    case Controle::CopieNotation:
        o.plateforme.CopieTextePressePapier(Notation(o));
        if (const std::string a = AvertissementEffectif(o.ui, o.mesure, o.resultats); !a.empty())
            o.ui.Statut(a);
        return;
    case Controle::ResultatsAfficher:
        AfficheResultats(o);
        return;
    case Controle::CopieResultats:
        o.plateforme.CopieTextePressePapier(AfficheResultats(o));
        return;
    case Controle::StatistiquesOrdre:
        TableDeciles(o.ui, o.mesure, o.resultats, o.parametres);
        return;
    case Controle::CaseCalculStat:
        // The box's new check, as the window set it.
        BasculeCalculStatistiques(o.resultats, o.controles(c).coche);
        if (StatColonnes(o.ui, o.mesure, o.resultats, o.parametres))
            SurligneExtremes(o.resultats, o.mesure.GrilleRef);
        return;
    default:
        return;
    }
}

void CommandeExport(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::ExportGrilleSous:
        // The export takes the comment frame over: colour notes or a comment
        // edit under way are dropped.
        QuitteNotesCouleur(o);
        if (!ExportPossible(o.ui, o.mesure)) return;
        if (o.mesure.commentaire.Ouvert()) FermeCommentaire(o.ui, o.mesure);
        OuvreCadreExport(o.ui, o.resultats);
        return;
    case Controle::ExportGrille:
        if (ExportPossible(o.ui, o.mesure)) ExporteCSV(o, false);
        return;
    default:
        return;
    }
}

} // namespace orv
