// The distribution panel with the rest of the work: "Histogrammes" shows and
// hides it, and its figure is exported through the save dialog.
#pragma once

#include "app/Orvelle.h"
#include "interface/Controle.h"

#include <functional>
#include <string>

namespace orv {

enum class FormatGraphique { PNG, SVG };

// Edit > "Histogrammes": the panel shown or hidden, the entry ticked while it
// is shown.
void CommandeDistribution(Orvelle& o, Controle c);

// The save dialog (a name after the picture in the export folder), the
// extension added to a name without one, the OK/Cancel question before an
// existing file is replaced; then the bytes `rendu` gives are written
// atomically, a failure said. True when the file was written.
bool ExporteGraphique(Orvelle& o, FormatGraphique format,
                      const std::function<std::string()>& rendu);

} // namespace orv
