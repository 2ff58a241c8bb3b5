// The File menu's recent work: two submenus, the grid files and the pictures
// last opened, rebuilt from the settings each time the menu opens.
#pragma once

#include "app/TravailRecent.h"

#include <cstddef>
#include <functional>

class QAction;
class QMenu;

namespace orv {

class Orvelle;

// Inserts the two submenus into `fichiers` before `avant`; a chosen entry
// calls `choisit` with its list and its place in it.
void AjouteMenusRecents(QMenu* fichiers, QAction* avant, const Orvelle& o,
                        const std::function<void(GenreRecent, std::size_t)>& choisit);

} // namespace orv
