// What the one table of controls tells about each control: the family and
// index by which language files caption it, its design caption and
// visibility, and its place in the menus. Only the language files, the window's
// construction and this table speak of families and indexes.
#pragma once

#include "interface/Controle.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr int SansIndex = -1; // a control that is alone of its family

enum class Genre : std::uint8_t {
    Barre,      // a menu of the menu bar
    Element,    // an item (or a submenu) of a menu
    Separateur, // a separator line of a menu
    Contextuel, // a context menu of the image box, or one of its items
    Autre       // any other control of the window
};

struct DescriptionControle {
    Controle controle;
    const char* famille;
    int index;
    Controle parent; // the menu that holds a menu item; Controle::Aucun otherwise
    const char* texte;
    bool visible;
    Genre genre;
};

const DescriptionControle& Description(Controle c);
// The control a language file names by family and index; nothing when the
// window has no such control.
std::optional<Controle> ControleDe(std::string_view famille, int index);
// The controls of c's family, c included, in the table's order (menu groups
// with one check mark, option buttons).
std::vector<Controle> MemeFamille(Controle c);
// Every row, in the order of the enumeration: menus before their items.
std::span<const DescriptionControle> TableControles();

} // namespace orv
