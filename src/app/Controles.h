// The state of every control and menu item of the main window, addressed the
// way the program and its language files address them: a family name and an
// index ("bout", 17), or a name alone for single controls (index -1). The core
// changes captions, visibility, enabled and checked states here; the window
// binds each entry to its real widget and follows the changes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

inline constexpr int SansIndex = -1;

struct EtatControle {
    std::string texte; // caption, or the text of a text box / the status bar
    bool visible = true;
    bool actif = true;
    bool coche = false;                   // check box, option button, menu check mark
    std::optional<std::uint32_t> couleur; // back colour, &HBBGGRR; nothing = default
    bool disponible = true;               // false: no behaviour behind it, never enabled
};

class Controles {
public:
    using Cle = std::pair<std::string, int>;

    // Adds a control with its design caption. Declaring twice is a programming error.
    void Declare(const std::string& nom, int index, const std::string& texte = {},
                 bool visible = true);
    bool Existe(const std::string& nom, int index = SansIndex) const;

    // Read access; an undeclared control is a programming error.
    const EtatControle& operator()(const std::string& nom, int index = SansIndex) const;

    // Changes; each notifies the observer when something changed.
    void Texte(const std::string& nom, int index, const std::string& texte);
    void Visible(const std::string& nom, int index, bool visible);
    void Actif(const std::string& nom, int index, bool actif);
    // A control whose work the program does not do: disabled for good, whatever
    // later calls to Actif say.
    void Indisponible(const std::string& nom, int index);
    void Coche(const std::string& nom, int index, bool coche);
    void Couleur(const std::string& nom, int index, std::optional<std::uint32_t> couleur);

    // Shorthands for single controls.
    const std::string& Texte(const std::string& nom, int index = SansIndex) const {
        return (*this)(nom, index).texte;
    }

    // Unchecks every declared index of a family, then checks one (menu groups
    // and option buttons).
    void CocheSeul(const std::string& nom, int index);
    // Indexes declared for a family, in increasing order.
    std::vector<int> Indexes(const std::string& nom) const;

    // Called after any change, with the control's key.
    std::function<void(const Cle&)> surChangement;

private:
    EtatControle& Acces(const std::string& nom, int index);
    void Signale(const std::string& nom, int index);
    std::map<Cle, EtatControle> etats_;
};

} // namespace orv
