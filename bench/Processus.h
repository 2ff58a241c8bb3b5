// Figures that need a fresh process each time (orvelle-bench starts itself
// again): the first open of a picture, the window's start and memory, the
// annotated copy made in the window.
#pragma once

#include <QString>

namespace orv::banc {

// Runs `processus` children of each kind, with djpeg in turn, and prints the
// medians; `copie` adds the annotated copy made in the window.
void MesuresFroides(const QString& image, int processus, bool copie);

// The child that runs the window (orvelle-bench --enfant-fenetre ...).
int EnfantFenetre(int argc, char** argv);

} // namespace orv::banc
