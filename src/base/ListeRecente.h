// A list of recent files for the File menu: the most recent first, each file
// once, eight at most.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orv {

class ListeRecente {
public:
    static constexpr std::size_t Taille = 8;

    // `chemin` comes first; an older place of it goes, and the oldest entry
    // beyond eight.
    void Ajoute(const std::string& chemin);
    // The file gives the entries most recent first: each goes after
    // the others (a repeated one, an empty one or a ninth is left out).
    void Complete(const std::string& chemin);
    // False when the list did not hold it.
    bool Retire(const std::string& chemin);
    void Vide() { chemins_.clear(); }

    const std::vector<std::string>& Chemins() const { return chemins_; }
    friend bool operator==(const ListeRecente&, const ListeRecente&) = default;

private:
    std::vector<std::string> chemins_;
};

} // namespace orv
