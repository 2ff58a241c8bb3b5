// The state of every control and menu item of the main window: caption,
// visibility, enabled and checked states, back colour. The core changes them
// here; the window binds each control to its real widget and follows the
// changes; language files re-caption them. Rules never read this state to
// decide anything: what a control shows mirrors the state of a subsystem.
#pragma once

#include "interface/Controle.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orv {

struct EtatControle {
    std::string texte; // caption, or the text of a text box / the status bar
    bool visible = true;
    bool actif = true;
    bool coche = false;                   // check box, option button, menu check mark
    std::optional<std::uint32_t> couleur; // back colour, &HBBGGRR; nothing = default
    bool disponible = true;               // false: no behaviour behind it, never enabled
    std::string infobulle;                // shown when the pointer rests on it
};

class Controles {
public:
    // Every control, with its design caption and visibility.
    Controles();

    const EtatControle& operator()(Controle c) const { return etats_[Rang(c)]; }
    const std::string& Texte(Controle c) const { return (*this)(c).texte; }

    // Changes; each notifies the observer when something changed.
    void Texte(Controle c, const std::string& texte);
    void Visible(Controle c, bool visible);
    void Actif(Controle c, bool actif);
    // A control whose work the program does not do: disabled for good, whatever
    // later calls to Actif say.
    void Indisponible(Controle c);
    void Infobulle(Controle c, const std::string& texte);
    void Coche(Controle c, bool coche);
    void Couleur(Controle c, std::optional<std::uint32_t> couleur);

    // Checks c and unchecks the other controls of its group (menu entries of
    // one choice, option buttons).
    void CocheSeul(Controle c);

    // Called after any change, with the control that changed.
    std::function<void(Controle)> surChangement;

private:
    static size_t Rang(Controle c);
    void Signale(Controle c);
    std::array<EtatControle, NombreControles> etats_;
};

} // namespace orv
