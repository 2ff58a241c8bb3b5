#include "measure/Grille.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/Marques.h"
#include "measure/OutilsPointage.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orv {

namespace {

constexpr std::uint32_t kVertGrille = 0xC0FFC0;
constexpr double kPi = 3.14159; // the volume is written with this value of pi

int Lignes(const Parametres& p) {
    return std::max(p.tGrille, 1) + 1;
}

// "Stock N" is usable only between two measures.
void EtatStockN(Interface& ui, const EtatMesure& m) {
    ui.controles.Actif(Controle::StockN, m.Etape == 1);
}

void FixeCellule(EtatMesure& m, int ligne, int colonne, const std::string& texte) {
    if (colonne >= 1 && colonne < m.GrilleRef.Colonnes())
        m.GrilleRef.FixeTexte(ligne, colonne, texte);
}

// A line has received its last value: image, comment, and the derived columns
// of the spores and the densities (the other functions' routines write their
// own), computed from the values as measured: only the display rounds.
void TermineLigne(Interface& ui, EtatMesure& m, const Parametres& p, int image, int ligne) {
    auto& g = m.GrilleRef;
    ui.controles.Actif(Controle::StockN, true);
    const int cols = g.Colonnes();
    FixeCellule(m, ligne, cols - 2, std::to_string(image));
    FixeCellule(m, ligne, cols - 1, "");
    const auto& v = m.ValeursMesure;
    const double L = v[1];
    auto ecrit = [&](int colonne, double valeur) {
        FixeCellule(m, ligne, colonne,
                    TexteColonne(m.NumFonction, colonne, valeur, p.fDecimal, ui.Sep()));
    };
    if (m.NumFonction == fonction::Spores2D) {
        const double l = v[2];
        if (l > 0.01)
            ecrit(m.Etape + 1, L / l);
        else
            FixeCellule(m, ligne, m.Etape + 1, "");
        ecrit(m.Etape + 2, kPi * L * l * l / 6);
    } else if (m.NumFonction == fonction::Spores3D) {
        const double l = v[2];
        const double e = v[3];
        if (l > 0)
            ecrit(m.Etape + 1, L / l);
        else
            FixeCellule(m, ligne, m.Etape + 1, "");
        if (e > 0)
            ecrit(m.Etape + 2, L / e);
        else
            FixeCellule(m, ligne, m.Etape + 2, "");
    } else if (m.NumFonction == fonction::DensiteEllipse ||
               m.NumFonction == fonction::DensiteRectangle) {
        // "Nb/L" from the count per surface.
        ecrit(4, std::sqrt(std::max(v[3], 0.0)));
    }
}

// The grid cannot take another value: it is saved so that nothing is lost,
// and the user is told whether the save worked.
void GrillePleine(Interface& ui, SauvegardeGrille* sauvegarde) {
    const std::string chemin = sauvegarde ? sauvegarde->Chemin() : std::string();
    const bool sauvee = sauvegarde && sauvegarde->Sauve(chemin);
    if (sauvee)
        ui.plateforme.Message(ui.Msg(msg::GrilleSauvee) + " : " + chemin);
    else
        ui.plateforme.Message(ui.Msg(msg::GrillePleine) + std::string(FinDeLigne) +
                              ui.Mnu(mnu::TrameNonSauvee) + chemin);
}

// Whether the grid takes a value in the current line (a full grid is saved,
// said, and `r` tells why not); before the first value of lines SAVAUTO + 1,
// 2 SAVAUTO + 1... the grid is saved.
bool Place(Interface& ui, EtatMesure& m, const Parametres& p, SauvegardeGrille* sauvegarde,
           ResultatAjout& r) {
    auto& g = m.GrilleRef;
    // Full grid: the configured size is reached, or the 255-line ceiling.
    const int tGrille = p.tGrille;
    if (m.LigneCourante == tGrille + 1 || m.LigneCourante > LignesMax) {
        r.etat = EtatAjout::GrillePleine;
        GrillePleine(ui, sauvegarde);
        return false;
    }
    if (m.LigneCourante > tGrille + 1 || m.LigneCourante >= g.Lignes()) {
        ui.plateforme.Message(ui.Msg(msg::GrilleCompleteOptions));
        r.etat = EtatAjout::Refusee;
        return false;
    }

    ui.controles.Texte(Controle::BarreEtat, "");

    const int periode = p.savAuto;
    if (periode >= 1 && m.Etape == 1 && m.LigneCourante > 1 &&
        (m.LigneCourante - 1) % periode == 0 && sauvegarde)
        sauvegarde->Sauve(sauvegarde->Chemin());
    return true;
}

} // namespace

ResultatAjout AjouteLigne(Interface& ui, EtatMesure& m, const Parametres& p,
                          SauvegardeGrille* sauvegarde, int image,
                          const std::vector<std::string>& cellules,
                          std::vector<MarqueTrace> marques) {
    ResultatAjout r;
    m.Etape = 1;
    r.ligne = m.LigneCourante;
    r.etape = 1;
    if (!Place(ui, m, p, sauvegarde, r)) return r;
    auto& g = m.GrilleRef;
    const int ligne = m.LigneCourante;
    m.EtapePrec = 1;
    m.LignePrec = ligne;
    g.FixeTexte(ligne, 0, std::to_string(ligne));
    for (size_t k = 0; k < cellules.size(); ++k)
        FixeCellule(m, ligne, static_cast<int>(k) + 1, cellules[k]);
    FixeCellule(m, ligne, g.Colonnes() - 1, "");
    g.Selectionne(ligne, 1);
    auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
    trace = TraceLigne{};
    trace.image = static_cast<std::int16_t>(image);
    trace.texte = std::to_string(ligne);
    trace.marques = std::move(marques);
    m.ValeursMesure.fill(0);
    ++m.LigneCourante;
    RafraichitMGrille(m, m.LigneCourante);
    ui.controles.Visible(Controle::CadreMesure, true);
    EtatStockN(ui, m);
    // The line's marks join the view.
    for (const auto& mt : trace.marques) {
        Marque x = mt.marque;
        if (x.couleur == RoleNumero) x.texte = std::to_string(ligne);
        x.couleur = CouleurRole(m, x.couleur);
        m.marques.AjouteFixe(std::move(x));
    }
    r.etat = EtatAjout::Ecrite;
    return r;
}

int LigneMiroir(const EtatMesure& m) {
    return m.Etape > 1 ? m.LigneCourante + 1 : m.LigneCourante;
}

ResultatAjout AjouteValeur(Interface& ui, EtatMesure& m, const Parametres& p,
                           SauvegardeGrille* sauvegarde, double coef, int image, double valeur,
                           std::optional<SegmentTrace> segment) {
    auto& g = m.GrilleRef;
    ResultatAjout r;
    r.ligne = m.LigneCourante;
    r.etape = m.Etape;
    r.valeur = valeur;
    r.longueurPixels = m.LongueurPixels;

    if (coef == 0) ui.plateforme.Message(ui.Msg(msg::CoefficientNul));
    if (!Place(ui, m, p, sauvegarde, r)) return r;

    m.EtapePrec = m.Etape;
    m.LignePrec = m.LigneCourante;

    const int ligne = m.LigneCourante;
    g.FixeTexte(ligne, 0, std::to_string(ligne));
    g.Selectionne(ligne, m.Etape);

    g.FixeTexte(ligne, m.Etape, TexteColonne(m.NumFonction, m.Etape, valeur, p.fDecimal, ui.Sep()));
    if (valeur == 0.0) ui.plateforme.Bip();

    if (segment && m.Etape >= 0 && m.Etape < static_cast<int>(TraceLigne{}.segments.size())) {
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        trace.segments[static_cast<size_t>(m.Etape)] = *segment;
        trace.image = static_cast<std::int16_t>(image);
    }

    if (m.Etape >= 1 && m.Etape <= m.NbSegments && m.Etape < 7) {
        m.ValeursMesure[static_cast<size_t>(m.Etape)] = valeur;
        m.ValeursLignes[static_cast<size_t>(ligne)][static_cast<size_t>(m.Etape)] = valeur;
    }

    // A 3D spore is complete after its second segment, width or thickness.
    if (m.NumFonction == fonction::Spores3D && m.Etape == m.NbSegmentsPrec) m.Etape = 3;

    if (m.Etape < m.NbSegments)
        ui.controles.Actif(Controle::StockN, false);
    else
        TermineLigne(ui, m, p, image, ligne);

    RafraichitMGrille(m, ligne + 1);
    ui.controles.Visible(Controle::CadreMesure, true);
    ++m.Etape;

    if (m.Etape > m.NbSegments) {
        m.ValeursMesure.fill(0);
        // After line 255 the counter stands at 256: the grid is at its ceiling
        // and the next value is refused as for a full grid.
        ++m.LigneCourante;
        m.Etape = 1;
    }
    r.etat = EtatAjout::Ecrite;
    return r;
}

bool EffaceGrille(Interface& ui, EtatMesure& m, bool silencieux) {
    auto& g = m.GrilleRef;
    if (!silencieux && !g.Texte(1, 1).empty()) {
        if (!ui.plateforme.QuestionOuiNon(ui.Msg(msg::Effacer) + " " + ui.Msg(msg::LaGrille) +
                                          " ? "))
            return false;
    }
    // Column 0 goes too: a line number without its line would look like a measure.
    for (int l = 1; l < g.Lignes(); ++l)
        for (int c = 0; c < g.Colonnes(); ++c) {
            g.FixeTexte(l, c, "");
            if (c >= 1) g.FixeCouleurCellule(l, c, kVertGrille);
        }
    for (int l = 1; l < m.MGrille.Lignes(); ++l)
        for (int c = 0; c < m.MGrille.Colonnes(); ++c) m.MGrille.FixeTexte(l, c, "");

    // No line is left, so no mark record belongs to one.
    m.TraceLignes.fill(TraceLigne{});
    m.ValeursLignes.fill({});
    m.ValeursMesure.fill(0);
    m.Etape = 1;
    m.LigneCourante = 1;
    EtatStockN(ui, m);
    // The erased measures leave the view; with no line left, no picture's
    // lines are drawn, only the figure under way.
    Retrace(m, 0, false);
    return true;
}

void RAZ_Grille_total(Interface& ui, EtatMesure& m) {
    EffaceGrille(ui, m, true);
    ui.plateforme.LaisseEvenements();
    RafraichitMGrille(m, 0);
}

bool Efface_ligne(Interface& ui, EtatMesure& m, const Parametres& p, int n) {
    auto& g = m.GrilleRef;
    const int courante = m.LigneCourante;
    if (n == 0) n = courante;
    if (n < 1 || n > courante) return false; // no line there
    // The line being started holds nothing yet: the line before it goes.
    if (n == courante && g.Texte(n, 1).empty()) {
        if (n == 1) return false;
        --n;
    }
    const bool enCours = n == courante;
    if (enCours) {
        m.Etape = 1;
        m.ValeursMesure.fill(0);
    }

    g.SupprimeLigne(n);
    g.FixeLignes(Lignes(p));

    auto& traces = m.TraceLignes;
    auto& valeurs = m.ValeursLignes;
    const int derniere = static_cast<int>(traces.size()) - 1;
    for (int i = n; i < courante && i < derniere; ++i) {
        traces[static_cast<size_t>(i)] = traces[static_cast<size_t>(i) + 1];
        valeurs[static_cast<size_t>(i)] = valeurs[static_cast<size_t>(i) + 1];
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

    RafraichitMGrille(m, LigneMiroir(m));
    if (m.LigneCourante < g.Lignes()) g.Selectionne(m.LigneCourante, g.ColonneCourante());
    EtatStockN(ui, m);
    return true;
}

bool EffaceArriere(Interface& ui, EtatMesure& m, const Parametres& p) {
    auto& g = m.GrilleRef;
    // Colour lines are written whole: erasing goes back a line at a time.
    const bool couleur = m.NumFonction == fonction::Couleur;
    const int etape = couleur ? 1 : m.Etape;

    if (m.LigneCourante == 1) {
        if (etape == 1) return false;
        if (etape == 2) return Efface_ligne(ui, m, p, 1);
    }

    const int cols = g.Colonnes();
    if (etape > 1) {
        --m.Etape;
        const int ligne = m.LigneCourante;
        FixeCellule(m, ligne, m.Etape, "");
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        trace.contour = false; // no longer the outline's two axes
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
        trace.contour = false;
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

    RafraichitMGrille(m, LigneMiroir(m));
    EtatStockN(ui, m);
    return true;
}

void FixeCompte(Interface& ui, EtatMesure& m, long n) {
    m.pointage.compte = n;
    ui.controles.Texte(Controle::TexteComptage, std::to_string(n));
}

void RafraichitMGrille(EtatMesure& m, int L) {
    const auto& g = m.GrilleRef;
    auto& mg = m.MGrille;
    if (mg.Lignes() != 4) mg.FixeLignes(4);
    if (mg.Colonnes() != g.Colonnes()) mg.FixeColonnes(g.Colonnes());
    const int premiere = L < 4 ? 1 : L - 3;
    for (int c = 0; c < g.Colonnes(); ++c) {
        mg.FixeTexte(0, c, g.Texte(0, c));
        for (int r = 0; r < 3; ++r) mg.FixeTexte(r + 1, c, g.Texte(premiere + r, c));
    }
}

void MontreImageLigne(Interface& ui, const EtatMesure& m, const std::vector<std::string>& images,
                      int ligne) {
    const auto& g = m.GrilleRef;
    // The colour samples have no image column.
    if (m.NumFonction == fonction::Couleur || ligne < 1 || ligne >= g.Lignes()) return;
    const std::string& img = g.Texte(ligne, g.Colonnes() - 2);
    const auto numero = LitEntierStrict(img);
    if (!numero || *numero < 1) return;
    std::string nom = img;
    if (*numero <= static_cast<long>(images.size())) {
        const std::string& chemin = images[static_cast<size_t>(*numero - 1)];
        nom = chemin.substr(chemin.find_last_of("/\\") + 1);
    }
    ui.controles.Texte(Controle::BarreEtat, ui.Mnu(mnu::ImageDeLaLigne) + nom);
}

std::optional<SuitesMesure> ClicBoutonGrille(Interface& ui, EtatMesure& m, const Parametres& p,
                                             Controle c) {
    SuitesMesure s;
    switch (c) {
    case Controle::EffaceLigne:
        s.effacement = Efface_ligne(ui, m, p, 0);
        return s;
    case Controle::RazGrille: {
        const int selection = m.GrilleRef.LigneCourante();
        if (EffaceGrille(ui, m, false)) {
            s.grilleVidee = true;
            s.effacement = Efface_ligne(ui, m, p, selection);
        }
        return s;
    }
    default:
        return std::nullopt;
    }
}

} // namespace orv
