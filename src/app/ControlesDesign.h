// The main window as designed: every control and menu item with its family,
// index and design caption, and the menu tree in order. The window builds its
// widgets and menus from this; language files caption them through it.
#pragma once

#include "app/Controles.h"

#include <string>
#include <vector>

namespace orv {

struct ElementMenu {
    std::string nom;       // family of the item ("MnuFIC") or the bar menu's name
    int index = SansIndex; // item index given to the click handler
    std::string parent;    // family of the parent item, empty for a menu of the bar
    int indexParent = SansIndex;
    std::string texte; // design caption; "-" for a separator
    bool separateur = false;
    bool contextuel = false; // a context menu (PopEtalon, pop3D), not on the menu bar
};

// The menu bar and the context menus, parents before their children, in order.
const std::vector<ElementMenu>& ArbreMenus();

// Declares every menu item and control of the main window in `c`, with its
// design caption and initial visibility.
void DeclareControles(Controles& c);

} // namespace orv
