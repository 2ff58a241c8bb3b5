#include "measure/Grille.h"

#include "images/Chargeur.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/Marques.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orv {

namespace {

constexpr std::uint32_t kVertGrille = 0xC0FFC0;
constexpr double kPi = 3.14159; // the volume is written with this value of pi

int Lignes(const Orvelle& o) {
    return std::max(o.parametres.tGrille, 1) + 1;
}

// "Stock N" is usable only between two measures.
void EtatStockN(Orvelle& o) {
    o.controles.Actif(Controle::StockN, o.mesure.Etape == 1);
}

void RecalculeStatistiques(Orvelle& o) {
    if (o.recalculeStatistiques) o.recalculeStatistiques(o);
}

// The grid cannot take another value: it is saved so that nothing is lost,
// and the user is told whether the save worked.
void GrillePleine(Orvelle& o) {
    const std::string chemin = CheminTrameSauvegarde(o);
    const bool sauvee = o.sauveTrame && o.sauveTrame(o, chemin);
    if (sauvee)
        o.plateforme.Message(o.textes.Msg(214) + " : " + chemin);
    else
        o.plateforme.Message(o.textes.Msg(215) + std::string(FinDeLigne) +
                             o.textes.Mnu(mnu::TrameNonSauvee) + chemin);
}

void EcritCellule(Orvelle& o, int ligne, int colonne, const std::string& texte) {
    if (colonne >= 1 && colonne < o.GrilleRef.Colonnes())
        o.GrilleRef.FixeTexte(ligne, colonne, texte);
}

// A line has received its last value: image, comment, and the derived columns
// of the spores and the densities (the other functions' routines write their
// own), computed from the values as measured: only the display rounds.
void TermineLigne(Orvelle& o, int ligne) {
    auto& m = o.mesure;
    auto& g = o.GrilleRef;
    o.controles.Actif(Controle::StockN, true);
    const int cols = g.Colonnes();
    EcritCellule(o, ligne, cols - 2, std::to_string(o.images.IndexImage));
    EcritCellule(o, ligne, cols - 1, "");
    const auto& v = m.ValeursMesure;
    const double L = v[1];
    auto ecrit = [&](int colonne, double valeur) {
        EcritCellule(o, ligne, colonne, TexteColonne(o, colonne, valeur));
    };
    if (m.NumFonction == 2) {
        const double l = v[2];
        if (l > 0.01)
            ecrit(m.Etape + 1, L / l);
        else
            EcritCellule(o, ligne, m.Etape + 1, "");
        ecrit(m.Etape + 2, kPi * L * l * l / 6);
    } else if (m.NumFonction == 3) {
        const double l = v[2];
        const double e = v[3];
        if (l > 0)
            ecrit(m.Etape + 1, L / l);
        else
            EcritCellule(o, ligne, m.Etape + 1, "");
        if (e > 0)
            ecrit(m.Etape + 2, L / e);
        else
            EcritCellule(o, ligne, m.Etape + 2, "");
    } else if (m.NumFonction == 13 || m.NumFonction == 14) {
        // "Nb/L" from the count per surface.
        ecrit(4, std::sqrt(std::max(v[3], 0.0)));
    }
}

} // namespace

std::string CheminTrameSauvegarde(const Orvelle& o) {
    const std::string& dossier =
        o.parametres.repData.empty() ? o.dossierProgramme : o.parametres.repData;
    return dossier + "/" + TrameSauvegarde;
}

int LigneMiroir(const Orvelle& o) {
    return o.mesure.Etape > 1 ? o.mesure.LigneCourante + 1 : o.mesure.LigneCourante;
}

void AjouteValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment) {
    auto& m = o.mesure;
    auto& g = o.GrilleRef;
    auto& p = o.plateforme;

    if (o.CoefCalibrage == 0) p.Message(o.textes.Msg(136));

    // Full grid: the configured size is reached, or the 255-line ceiling.
    const int tGrille = o.parametres.tGrille;
    if (m.LigneCourante == tGrille + 1 || m.LigneCourante > LignesMax) {
        GrillePleine(o);
        return;
    }
    if (m.LigneCourante > tGrille + 1 || m.LigneCourante >= g.Lignes()) {
        p.Message(o.textes.Msg(174));
        return;
    }

    o.controles.Texte(Controle::BarreEtat, "");

    // Automatic save before the first value of lines SAVAUTO + 1, 2 SAVAUTO + 1...
    const int periode = o.parametres.savAuto;
    if (periode >= 1 && m.Etape == 1 && m.LigneCourante > 1 &&
        (m.LigneCourante - 1) % periode == 0 && o.sauveTrame)
        o.sauveTrame(o, CheminTrameSauvegarde(o));

    m.EtapePrec = m.Etape;
    m.LignePrec = m.LigneCourante;

    const int ligne = m.LigneCourante;
    g.FixeTexte(ligne, 0, std::to_string(ligne));
    g.Selectionne(ligne, m.Etape);

    g.FixeTexte(ligne, m.Etape, TexteColonne(o, m.Etape, valeur));
    if (valeur == 0.0) p.Bip();

    if (segment && m.Etape >= 0 && m.Etape < static_cast<int>(TraceLigne{}.segments.size())) {
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        trace.segments[static_cast<size_t>(m.Etape)] = *segment;
        trace.image = static_cast<std::int16_t>(o.images.IndexImage);
    }

    if (m.Etape >= 1 && m.Etape <= m.NbSegments && m.Etape < 7) {
        m.ValeursMesure[static_cast<size_t>(m.Etape)] = valeur;
        m.ValeursLignes[static_cast<size_t>(ligne)][static_cast<size_t>(m.Etape)] = valeur;
    }

    // A 3D spore is complete after its second segment, width or thickness.
    if (m.NumFonction == 3 && m.Etape == m.NbSegmentsPrec) m.Etape = 3;

    if (m.Etape < m.NbSegments)
        o.controles.Actif(Controle::StockN, false);
    else
        TermineLigne(o, ligne);

    RafraichitMGrille(o, ligne + 1);
    o.controles.Visible(Controle::CadreMesure, true);
    ++m.Etape;

    if (m.Etape > m.NbSegments) {
        m.ValeursMesure.fill(0);
        // After line 255 the counter stands at 256: the grid is at its ceiling
        // and the next value is refused as for a full grid.
        ++m.LigneCourante;
        m.Etape = 1;
    }

    if (o.controles(Controle::CadreStatistiques).visible) RecalculeStatistiques(o);
    if (o.valeurCalibrage) o.valeurCalibrage(o, valeur);
}

std::string CelluleGrille(Orvelle& o, int ligne, int colonne) {
    auto& g = o.GrilleRef;
    if (ligne < 0 || colonne < 0 || ligne >= g.Lignes() || colonne >= g.Colonnes()) return {};
    g.Selectionne(ligne, colonne);
    return g.Texte(ligne, colonne);
}

bool EffaceGrille(Orvelle& o, bool silencieux) {
    auto& g = o.GrilleRef;
    if (!silencieux && !g.Texte(1, 1).empty()) {
        const auto& t = o.textes;
        if (!o.plateforme.QuestionOuiNon(t.Msg(190) + " " + t.Msg(188) + " ? ")) return false;
    }
    // Column 0 goes too: a line number without its line would look like a measure.
    for (int l = 1; l < g.Lignes(); ++l)
        for (int c = 0; c < g.Colonnes(); ++c) {
            g.FixeTexte(l, c, "");
            if (c >= 1) g.FixeCouleurCellule(l, c, kVertGrille);
        }
    for (int l = 1; l < o.MGrille.Lignes(); ++l)
        for (int c = 0; c < o.MGrille.Colonnes(); ++c) o.MGrille.FixeTexte(l, c, "");
    // The statistics grid keeps its row labels in column 0.
    for (int l = 1; l < o.GrilleRefP.Lignes(); ++l)
        for (int c = 1; c < o.GrilleRefP.Colonnes(); ++c) o.GrilleRefP.FixeTexte(l, c, "");
    if (o.razStatistiques) o.razStatistiques(o);

    // No line is left, so no mark record belongs to one.
    auto& m = o.mesure;
    m.TraceLignes.fill(TraceLigne{});
    m.ValeursLignes.fill({});
    m.ValeursMesure.fill(0);
    m.Etape = 1;
    m.LigneCourante = 1;
    EtatStockN(o);
    // The erased measures leave the view.
    Retrace(o);
    return true;
}

void RAZ_Grille_total(Orvelle& o) {
    EffaceGrille(o, true);
    o.plateforme.LaisseEvenements();
    RafraichitMGrille(o, 0);
}

void Efface_ligne(Orvelle& o, int n) {
    auto& m = o.mesure;
    auto& g = o.GrilleRef;
    const int courante = m.LigneCourante;
    if (n == 0) n = courante;
    if (n < 1 || n > courante) return; // no line there
    // The line being started holds nothing yet: the line before it goes.
    if (n == courante && g.Texte(n, 1).empty()) {
        if (n == 1) return;
        --n;
    }
    const bool enCours = n == courante;
    if (enCours) {
        m.Etape = 1;
        m.ValeursMesure.fill(0);
    }

    g.SupprimeLigne(n);
    g.FixeLignes(Lignes(o));

    auto& traces = m.TraceLignes;
    auto& valeurs = m.ValeursLignes;
    const int derniere = static_cast<int>(traces.size()) - 1;
    for (int i = n; i < courante && i < derniere; ++i) {
        traces[static_cast<size_t>(i)] = traces[static_cast<size_t>(i + 1)];
        valeurs[static_cast<size_t>(i)] = valeurs[static_cast<size_t>(i + 1)];
    }
    if (courante <= derniere) {
        traces[static_cast<size_t>(courante)] = TraceLigne{};
        valeurs[static_cast<size_t>(courante)] = {};
    }

    // The line under way, when it was the one erased, is started again in place.
    m.LigneCourante = enCours ? courante : std::max(1, courante - 1);
    for (int i = n; i < m.LigneCourante; ++i) g.FixeTexte(i, 0, std::to_string(i));
    if (m.Etape > 1 && m.LigneCourante < g.Lignes())
        g.FixeTexte(m.LigneCourante, 0, std::to_string(m.LigneCourante));

    RafraichitMGrille(o, LigneMiroir(o));
    if (m.LigneCourante < g.Lignes()) g.Selectionne(m.LigneCourante, g.ColonneCourante());
    EtatStockN(o);
    RecalculeStatistiques(o);
}

void EffaceArriere(Orvelle& o) {
    auto& m = o.mesure;
    auto& g = o.GrilleRef;
    // Colour lines are written whole: erasing goes back a line at a time.
    const bool couleur = m.NumFonction == 20;
    const int etape = couleur ? 1 : m.Etape;

    if (m.LigneCourante == 1) {
        if (etape == 1) return;
        if (etape == 2) {
            Efface_ligne(o, 1);
            return;
        }
    }

    const int cols = g.Colonnes();
    if (etape > 1) {
        --m.Etape;
        const int ligne = m.LigneCourante;
        EcritCellule(o, ligne, m.Etape, "");
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        trace.image = 0;
        trace.texte = "0";
        trace.zoom = 1;
        if (m.Etape < static_cast<int>(trace.segments.size()))
            trace.segments[static_cast<size_t>(m.Etape)] = SegmentTrace{};
        if (m.Etape < 7) {
            m.ValeursMesure[static_cast<size_t>(m.Etape)] = 0;
            m.ValeursLignes[static_cast<size_t>(ligne)][static_cast<size_t>(m.Etape)] = 0;
        }
    } else {
        // The last complete line is reopened at the first value it loses
        // (NbSegmentsPrec: the width of a spore, whichever way a 3D spore ended).
        --m.LigneCourante;
        const int ligne = m.LigneCourante;
        const int debut = couleur ? 1 : std::clamp(m.NbSegmentsPrec, 1, std::max(1, cols - 1));
        for (int c = debut; c < cols; ++c) g.FixeTexte(ligne, c, "");
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        for (size_t s = static_cast<size_t>(debut); s < trace.segments.size(); ++s)
            trace.segments[s] = SegmentTrace{};
        m.Etape = debut;
        // The values kept on the line are needed again for its derived columns:
        // as measured, or as shown for a line that only has its text (an import).
        m.ValeursMesure.fill(0);
        auto& mesurees = m.ValeursLignes[static_cast<size_t>(ligne)];
        for (int k = 1; k < debut && k < 7; ++k) {
            const auto i = static_cast<size_t>(k);
            const std::string& texte = g.Texte(ligne, k);
            if (mesurees[i] == 0 && !texte.empty()) mesurees[i] = LitDecimal(texte);
            m.ValeursMesure[i] = mesurees[i];
        }
        for (int k = debut; k < 7; ++k) mesurees[static_cast<size_t>(k)] = 0;
    }

    RafraichitMGrille(o, LigneMiroir(o));
    EtatStockN(o);
    RecalculeStatistiques(o);
}

void RafraichitMGrille(Orvelle& o, int L) {
    const auto& g = o.GrilleRef;
    auto& mg = o.MGrille;
    if (mg.Lignes() != 4) mg.FixeLignes(4);
    if (mg.Colonnes() != g.Colonnes()) mg.FixeColonnes(g.Colonnes());
    const int premiere = L < 4 ? 1 : L - 3;
    for (int c = 0; c < g.Colonnes(); ++c) {
        mg.FixeTexte(0, c, g.Texte(0, c));
        for (int r = 0; r < 3; ++r) mg.FixeTexte(r + 1, c, g.Texte(premiere + r, c));
    }
}

void MontreImageLigne(Orvelle& o, int ligne) {
    const auto& g = o.GrilleRef;
    // The colour samples have no image column.
    if (o.mesure.NumFonction == 20 || ligne < 1 || ligne >= g.Lignes()) return;
    const std::string& img = g.Texte(ligne, g.Colonnes() - 2);
    const auto numero = LitEntierStrict(img);
    if (!numero || *numero < 1) return;
    const auto& images = o.images.chargeur.ListIMGchar;
    const std::string nom = *numero <= static_cast<long>(images.size())
                                ? NomFichierImage(images[static_cast<size_t>(*numero - 1)])
                                : img;
    o.controles.Texte(Controle::BarreEtat, o.textes.Mnu(mnu::ImageDeLaLigne) + nom);
}

bool ClicBoutonGrille(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::EffaceLigne:
        Efface_ligne(o, 0);
        return true;
    case Controle::RazGrille: {
        const int selection = o.GrilleRef.LigneCourante();
        if (EffaceGrille(o, false)) Efface_ligne(o, selection);
        return true;
    }
    default:
        return false;
    }
}

} // namespace orv
