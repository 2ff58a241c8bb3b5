// The window program's start: what the command line asks is in place before
// the start-up sequence reads the settings and the language file.
#pragma once

#include "app/Orvelle.h"
#include "gui/FenetrePrincipale.h"

#include <functional>
#include <string>

namespace orv {

// `langue`: --lang (empty: the settings' language); `diagnosticLangue`:
// --diagnostic-langue, so that the language file read at start is checked
// too. Then the start-up sequence, and Qt's own texts in its language.
void Lance(Orvelle& etat, FenetrePrincipale& fenetre, const std::string& langue,
           bool diagnosticLangue);

// The whole program, from its command line to the end of its event loop
// (orvelle's main). `fenetreMontree` hears of the window once it is shown and
// the files of the command line are opening (orvelle-bench times the start
// with it).
int Programme(int argc, char** argv,
              const std::function<void(FenetrePrincipale&)>& fenetreMontree = {});

} // namespace orv
