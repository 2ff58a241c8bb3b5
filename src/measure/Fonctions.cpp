#include "measure/Fonctions.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/Grille.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace orv {

namespace {

constexpr std::uint32_t kVertGrille = 0xC0FFC0;
constexpr int kLargeurNumero = 350; // twips of column 0

size_t Slot(int n) {
    if (n < 0 || n > FonctionsMax)
        throw std::out_of_range("measurement function outside 0..25: " + std::to_string(n));
    return static_cast<size_t>(n);
}

// The fields of a descriptor that a "$" closes, each trimmed; what follows the
// last "$" is not a field.
std::vector<std::string> Champs(const std::string& descripteur) {
    std::vector<std::string> champs = Decoupe(descripteur, '$');
    champs.pop_back();
    for (auto& c : champs) c = Trim(c);
    return champs;
}

struct Comptes {
    int nbSegments;
    int nbSegmentsPrec; // -1: the previous NbSegments
    int nbColStat;
};

// Counts of every function that has some.
bool ComptesDe(int n, Comptes& c) {
    switch (n) {
    case fonction::Segment:
        c = {1, 1, 1};
        return true;
    case fonction::Spores2D:
        c = {2, 2, 4};
        return true;
    case fonction::Spores3D:
        c = {3, 2, 5};
        return true;
    case fonction::Cystides3:
        c = {3, 3, 3};
        return true;
    case fonction::Cystides4:
        c = {4, 4, 4};
        return true;
    case fonction::Cystides5:
        c = {5, 5, 5};
        return true;
    case fonction::Comptage1:
        c = {1, 1, 1};
        return true;
    case fonction::Comptage2:
        c = {2, 2, 2};
        return true;
    case fonction::DensiteEllipse:
    case fonction::DensiteRectangle:
        c = {3, 2, 3};
        return true;
    case fonction::Triangle:
    case fonction::Polygone:
        c = {2, 1, 2};
        return true;
    case fonction::Couleur:
        c = {6, -1, 6};
        return true;
    default:
        return false;
    }
}

// The segment functions name the value that comes next by its column:
// "pointer maintenant : Larg."; a 3D spore's second segment is the width, or
// with E held the thickness.
std::string InviteColonne(const TablesTextes& t, const EtatMesure& m, int n) {
    const auto champs = Champs(DescripteurFonction(t, n));
    const auto entete = [&](int colonne) {
        const auto k = static_cast<size_t>(colonne) + 1;
        return k < champs.size() ? champs[k] : std::string();
    };
    std::string invite = t.Mnu(mnu::PointerMaintenant) + entete(m.Etape);
    if (n == fonction::Spores3D && m.Etape == 2) invite += " (E : " + entete(3) + ")";
    return invite;
}

// Status-bar prompt of a function.
bool InviteDe(const TablesTextes& t, const EtatMesure& m, int n, std::string& invite) {
    switch (n) {
    case fonction::Segment:
    case fonction::Spores2D:
    case fonction::Spores3D:
    case fonction::Cystides3:
    case fonction::Cystides4:
    case fonction::Cystides5:
        invite = InviteColonne(t, m, n);
        return true;
    case fonction::Triangle: // which of the three corners
        invite = t.Msg(msg::MarquerPoint) + " (" +
                 std::to_string(m.pointage.Sommets.size() % 3 + 1) + "/3)";
        return true;
    case fonction::Comptage1:
        invite = t.Mnu(mnu::MarquerElement);
        return true;
    case fonction::Comptage2:
        invite = t.Msg(msg::Marquer) + t.Msg(msg::BossesExternes);
        return true;
    case fonction::DensiteEllipse:
    case fonction::DensiteRectangle:
        invite = t.Msg(msg::Marquer) + t.Msg(msg::ElementDesire);
        return true;
    case fonction::Polygone:
        // The surface is a fan of triangles from the first click: it must be
        // the centre, not a corner.
        invite = t.Msg(m.PolygoneAuto ? msg::PolygoneAutoInvite : msg::PolygoneOuvertInvite);
        return true;
    case fonction::Couleur:
        invite = t.Mnu(mnu::MarquerZoneCouleur);
        return true;
    default:
        return false;
    }
}

} // namespace

bool FonctionExiste(int n) {
    Comptes c{};
    return ComptesDe(n, c);
}

std::string DescripteurFonction(const TablesTextes& t, int n) {
    // Every descriptor comes from the text tables, so that a language renames
    // the functions and their columns: functions 1 to 6 from the messages
    // built from the function names at fill time, the others from menu texts.
    switch (n) {
    case fonction::Segment:
        return t.Msg(msg::FonctionSegment);
    case fonction::Spores2D:
        return t.Msg(msg::FonctionSpore2D);
    case fonction::Spores3D:
        return t.Msg(msg::FonctionSpore3D);
    case fonction::Cystides3:
        return t.Msg(msg::FonctionCystide3);
    case fonction::Cystides4:
        return t.Msg(msg::FonctionCystide4);
    case fonction::Cystides5:
        return t.Msg(msg::FonctionCystide5);
    case fonction::Comptage1:
        return t.Mnu(mnu::DescripteurComptage1);
    case fonction::Comptage2:
        return t.Mnu(mnu::DescripteurComptage2);
    case fonction::DensiteEllipse:
        return t.Mnu(mnu::DescripteurDensiteEllipse);
    case fonction::DensiteRectangle:
        return t.Mnu(mnu::DescripteurDensiteRectangle);
    case fonction::Triangle:
        return t.Mnu(mnu::DescripteurTriangle);
    case fonction::Polygone:
        return t.Mnu(mnu::DescripteurPolygone);
    case fonction::Couleur:
        return t.Mnu(mnu::DescripteurTintaval);
    default:
        return {};
    }
}

void ConstruitTableFonctions(EtatMesure& m, const TablesTextes& t) {
    auto& f = m.descripteursFonctions;
    auto& l = m.descripteursLargeurs;
    f.fill({});
    l.fill({});
    for (int n = 1; n <= FonctionsMax; ++n) f[Slot(n)] = DescripteurFonction(t, n);
    l[1] = "4$550$200$1500$";
    l[2] = " 7$550$550$350$500$220$1500$";
    l[3] = "8$550$550$550$350$350$220$1500$";
    l[4] = " 6$550$550$550$220$1500$";
    l[5] = " 7$550$550$550$550$220$1500$";
    l[6] = " 8$550$550$550$550$550$220$1500$";
    l[10] = "4$550$200$1500$";
    l[11] = "6$550$550$550$200$1500$";
    l[13] = "7$750$300$550$450$200$1500$";
    l[14] = l[13];
    l[15] = "6$500$500$500$500$1450$";
    l[16] = "7$500$500$500$500$500$1450$";
    // No "$" after the last width: the comment column keeps the width it had.
    l[20] = " 10$500$500$500$500$500$500$350$250$1500";
}

const std::string& TableFonctions(const EtatMesure& m, int n) {
    return m.descripteursFonctions[Slot(n)];
}

const std::string& TableLargeurs(const EtatMesure& m, int n) {
    return m.descripteursLargeurs[Slot(n)];
}

void EnteteGrille(Interface& ui, EtatMesure& m, int n) {
    Slot(n);
    ConstruitTableFonctions(m, ui.textes);
    auto& g = m.GrilleRef;
    if (g.Lignes() < 1) g.FixeLignes(1);
    g.Selectionne(0, 0);
    g.FixeCouleurFond(kVertGrille);
    g.FixeTexte(0, 0, "N°");
    const auto champs = Champs(TableFonctions(m, n));
    for (size_t k = 0; k < champs.size(); ++k) {
        if (k == 0) {
            m.NomFonction = champs[k];
        } else if (k >= 2) {
            // A language text with more headers than columns loses the extra ones.
            const int colonne = static_cast<int>(k) - 1;
            if (colonne < g.Colonnes()) g.FixeTexte(0, colonne, champs[k]);
        }
    }
    // The polygon is named as its entry of the Fonction menu, in the interface language.
    if (n == fonction::Polygone)
        m.NomFonction = ui.controles.Texte(m.PolygoneAuto ? Controle::FonctionPolygoneAuto
                                                          : Controle::FonctionPolygoneOuvert);
    RafraichitMGrille(m, LigneMiroir(m));
}

void LargeursGrille(Interface& ui, EtatMesure& m, int n) {
    Slot(n);
    if (m.descripteursLargeurs[static_cast<size_t>(n)].empty())
        ConstruitTableFonctions(m, ui.textes);
    auto& g = m.GrilleRef;
    auto& mg = m.MGrille;
    if (g.Lignes() < 1) g.FixeLignes(1);
    g.FixeLargeur(0, kLargeurNumero);
    g.Selectionne(0, 0);
    g.FixeCouleurFond(kVertGrille);
    g.FixeTexte(0, 0, "N°");
    mg.FixeLargeur(0, kLargeurNumero);

    const auto champs = Champs(TableLargeurs(m, n));
    for (size_t k = 0; k < champs.size(); ++k) {
        if (k == 0) {
            const auto cols = LitEntierStrict(champs[k]);
            if (!cols || *cols < 1 || *cols > 64)
                throw std::logic_error("column count of a widths descriptor: " + champs[k]);
            for (GrilleTexte* x : {&g, &mg}) x->FixeColonnes(static_cast<int>(*cols));
            continue;
        }
        const int colonne = static_cast<int>(k);
        if (colonne >= g.Colonnes()) break;
        const int largeur = static_cast<int>(LitDecimal(champs[k]));
        g.FixeLargeur(colonne, largeur);
        mg.FixeLargeur(colonne, largeur);
    }
    RafraichitMGrille(m, LigneMiroir(m));
}

void DisposeGrilleStatistiques(const EtatMesure& m, GrilleTexte& p) {
    const auto& g = m.GrilleRef;
    if (p.Lignes() < 1) p.FixeLignes(1);
    p.Selectionne(0, 0);
    p.FixeCouleurFond(kVertGrille);
    p.FixeColonnes(g.Colonnes());
    // Every column as wide as the measurement grid's (the last one too, its
    // comment column).
    for (int c = 0; c < p.Colonnes(); ++c) p.FixeLargeur(c, g.Largeur(c));
    p.FixeTexte(0, 0, "N°");
    for (int c = 1; c <= g.Colonnes() - 3 && c < p.Colonnes(); ++c)
        p.FixeTexte(0, c, g.Texte(0, c));
}

void RafraichitInvite(Interface& ui, const EtatMesure& m) {
    std::string invite;
    if (InviteDe(ui.textes, m, m.NumFonction, invite))
        ui.textes.Fixe(Table::MSG, msg::InviteFonction, invite);
}

void MontreEtapeSuivante(Interface& ui, const EtatMesure& m) {
    const int n = m.NumFonction;
    const auto& p = m.pointage;
    const bool parEtapes = fonction::ParSegments(n) || n == fonction::Triangle;
    if (!parEtapes || p.SegmentEnCours || p.menuContextuel || p.enAttente) return;
    RafraichitInvite(ui, m);
    ui.Statut(ui.Msg(msg::InviteFonction));
}

void SelectionneFonction(Interface& ui, EtatMesure& m, const Parametres& p) {
    const int n = m.NumFonction;
    Slot(n);
    auto& c = ui.controles;

    m.LigneCourante = 1;
    c.Visible(Controle::SegmentLongueur, false);

    m.NbSegmentsPrec = m.NbSegments;
    m.Etape = 1;
    m.Mode3D = false;

    Comptes comptes{};
    if (ComptesDe(n, comptes)) {
        m.NbSegments = comptes.nbSegments;
        if (comptes.nbSegmentsPrec >= 0) m.NbSegmentsPrec = comptes.nbSegmentsPrec;
        m.NbColStat = comptes.nbColStat;
    }
    // The pointing modes follow the function whichever way it was chosen (menu,
    // grid file, import), so that clicks never go to the previous function's routine.
    m.ModeComptage = n == fonction::Comptage1 || n == fonction::Comptage2;
    m.ModeDensite = n == fonction::DensiteEllipse || n == fonction::DensiteRectangle;
    m.ModeTriangle = n == fonction::Triangle;
    m.ModePolygone = n == fonction::Polygone;
    if (n == fonction::Spores3D) {
        m.Mode3D = true;
        c.Visible(Controle::SegmentLongueur, true);
    }
    std::string invite;
    if (InviteDe(ui.textes, m, n, invite)) {
        ui.textes.Fixe(Table::MSG, msg::InviteFonction, invite);
        ui.Statut(invite);
    }

    LargeursGrille(ui, m, n);
    EnteteGrille(ui, m, n);

    m.GrilleRef.FixeLignes(std::max(p.tGrille, 1) + 1);
    m.MGrille.FixeLignes(4);
}

GenreColonne GenreDeColonne(int fonction, int colonne) {
    switch (fonction) {
    case fonction::Spores2D:
        return colonne == 4 ? GenreColonne::Volume : GenreColonne::Decimal;
    case fonction::Comptage1:
        return colonne == 1 ? GenreColonne::Entier : GenreColonne::Decimal;
    case fonction::Comptage2:
        return colonne >= 1 && colonne <= 3 ? GenreColonne::Entier : GenreColonne::Decimal;
    case fonction::DensiteEllipse:
    case fonction::DensiteRectangle:
        if (colonne == 2) return GenreColonne::Entier;
        return colonne == 3 || colonne == 4 ? GenreColonne::Densite : GenreColonne::Decimal;
    default:
        return GenreColonne::Decimal;
    }
}

std::string FormatSignificatif(double valeur, const std::string& motif, char separateur,
                               int chiffres) {
    const auto point = motif.find('.');
    const int decimalesMotif =
        point == std::string::npos ? 0 : static_cast<int>(motif.size() - point - 1);
    int decimales = decimalesMotif;
    if (valeur != 0 && std::isfinite(valeur)) {
        const int exposant = static_cast<int>(std::floor(std::log10(std::fabs(valeur))));
        decimales = std::clamp(chiffres - 1 - exposant, decimalesMotif, 12);
    }
    return FormatNombre(valeur, decimales == 0 ? "###0" : "###0." + std::string(decimales, '0'),
                        separateur);
}

std::string TexteColonne(int fonction, int colonne, double valeur, const std::string& motif,
                         char separateur) {
    switch (GenreDeColonne(fonction, colonne)) {
    case GenreColonne::Volume:
        return FormatNombre(valeur, "###0.0", separateur);
    case GenreColonne::Entier:
        return FormatNombre(valeur, "###0", separateur);
    case GenreColonne::Densite:
        return FormatSignificatif(valeur, motif, separateur);
    default:
        return FormatNombre(valeur, motif, separateur);
    }
}

void AppliqueFonctionDemarrage(Interface& ui, EtatMesure& m, const Parametres& p) {
    const int f = p.fonctionDemarrage;
    m.NumFonction = FonctionExiste(f) ? f : 2;
    SelectionneFonction(ui, m, p);
}

} // namespace orv
