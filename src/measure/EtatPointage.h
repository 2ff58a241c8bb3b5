// The pointing state of the image box: the view modes tested by a press, the
// segment under way, the held keys and the context menu the window must show.
#pragma once

#include "images/Vue.h"
#include "interface/Controle.h"
#include "measure/Traces.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

enum class Bouton { Aucun = 0, Gauche = 1, Droit = 2, Milieu = 4 };

struct Modificateurs {
    bool maj = false;
    bool ctrl = false;
    bool alt = false;
};

// The keys the pointing knows, independent of any toolkit: the window maps its
// key codes to these. `Chevrons` is the ISO 102nd key "<>"; `L` does the same
// on keyboards without it; `PageSuivante` acts as C.
enum class Touche {
    Retour, // Backspace, "Eff.Arr."
    Espace,
    Echap,
    Z,
    C,
    PageSuivante,
    E,
    G,
    V,
    W,
    L,
    Chevrons,
    Ctrl,
    Maj,
    Alt,
    Entree, // Enter: accepts the spores a search found
    Autre
};

// A context menu the window must show at a point of the box: the segment's
// (MenuSegment) or the 3D spore's (Menu3D). The window answers with
// ChoixMenuContextuel or FermeMenuContextuel.
struct MenuContextuel {
    Controle menu;
    PointTwips position;
};

// A segment ended with the right button, waiting for the context menu's answer.
struct SegmentEnAttente {
    PointImage a, b;
    double valeur = 0;
    bool epaisseur = false; // a 3D spore's second segment taken as the thickness
};

// Where the mouse was last pressed, in the box and in the picture.
struct Pression {
    PointTwips twips;
    PointImage image;
    Bouton bouton = Bouton::Aucun;
};

struct EtatPointage {
    // View modes, in the order in which a press tests them.
    bool ZoomPoint = false;   // Z held: a press zooms centred on the point
    bool CentrePoint = false; // C held: a press centres the image on the point
    bool GlisseImage = false; // a drag moves the image (tested by the release)

    // The measure under way.
    bool SegmentEnCours = false;
    PointImage PointDepart;
    PointTwips departTwips;      // PointDepart in the box, while the view stays as it was
    std::uint64_t departVue = 0; // versionVue when the segment started
    Pression pression;
    bool ClicArme = true;       // counting: a press counts only when armed
    bool IgnoreRelache = false; // set by a cancellation: the next ending release is ignored
    bool ClicSimple = false;    // the last release fell within the click tolerance
    bool pressionVue = false;   // the last press zoomed or centred the view

    // Held keys and their states.
    bool ToucheE = false, ToucheV = false, ToucheW = false, ToucheG = false;
    bool etatGlisse = false;   // image-drag state toggled by Ctrl
    bool ctrlSeul = false;     // Ctrl pressed on the box, nothing else pressed since
    bool GlisseGrille = false; // grid-drag state toggled by Alt
    int PositionGrille = 0;    // place of the grid frame, 0..3, moved by G

    // Context menu to show, and the segment it decides on.
    std::optional<MenuContextuel> menuContextuel;
    std::optional<SegmentEnAttente> enAttente;

    // Points of a broken line, a triangle or a polygon under way (Sommets),
    // the broken line's length so far in picture units, and the surface
    // accumulators: (1) surface, (2) perimeter or angle, (3)..(6) per function.
    std::vector<PointImage> Sommets;
    double cumulLigneBrisee = 0;
    std::array<double, 7> ResultatsSurface{};
    // Counting: points of the class being counted, and the count so far
    // (the window shows it beside the measure's read-out).
    std::optional<PointImage> premierCompte, dernierCompte;
    long compte = 0;

    // Marks of the measure under way not yet written to the grid (role colours
    // 1 and 2); "retrace" draws them again, a cancellation drops them.
    std::vector<MarqueTrace> marquesEnCours;

    // Pointer position in micrometres from the picture's top-left corner.
    double pointeurXMicrons = 0, pointeurYMicrons = 0;

    // State of the measure when the pointing last acted: a function change, a
    // grid load, an erase or another picture drops the segment under way.
    struct Cle {
        int fonction = 0, ligne = 0, etape = 0;
        std::uint64_t image = 0;
        friend bool operator==(const Cle&, const Cle&) = default;
    } cle;
};

} // namespace orv
