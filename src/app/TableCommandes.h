// The one table of the window's commands: every control the user presses,
// ticks or moves, and the one handler that owns it. A handler that needs
// another subsystem calls it itself; no other handler is asked, and no mode
// flag decides who answers (the shared input line and comment frame answer
// the owner that opened them, Interface::OuvreCadre).
#pragma once

#include "interface/Controle.h"

#include <optional>
#include <span>

namespace orv {

class Orvelle;

using Commande = void (*)(Orvelle& o, Controle c);

struct LigneCommande {
    Controle controle;
    // The handler; nothing for the commands the window runs itself
    // (FenetreSeule).
    Commande commande = nullptr;
    // Every control of its family (MemeFamille) has this handler.
    bool famille = false;
};

// Acquisition and screen copy need the window (a worker thread, pictures of
// the screen): their rows name no handler, the window runs them
// (gui/Acquisition.cpp), their rules being in the core.
bool FenetreSeule(Controle c);

// The handler of `c`; nothing for a control that runs no command (a frame, a
// label, a text box read by its command) or that the window runs itself.
std::optional<Commande> CommandeDe(Controle c);

// The rows, as written (a family's row stands for each of its controls).
std::span<const LigneCommande> TableCommandes();

// Runs the command of `c`, when it is enabled. Check boxes and option buttons
// arrive with their new state already in the registry.
void ExecuteCommande(Orvelle& o, Controle c);

} // namespace orv
