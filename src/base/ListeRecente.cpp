#include "base/ListeRecente.h"

#include <algorithm>

namespace orv {

void ListeRecente::Ajoute(const std::string& chemin) {
    if (chemin.empty()) return;
    Retire(chemin);
    chemins_.insert(chemins_.begin(), chemin);
    if (chemins_.size() > Taille) chemins_.resize(Taille);
}

void ListeRecente::Complete(const std::string& chemin) {
    if (chemin.empty() || chemins_.size() >= Taille) return;
    if (std::find(chemins_.begin(), chemins_.end(), chemin) != chemins_.end()) return;
    chemins_.push_back(chemin);
}

bool ListeRecente::Retire(const std::string& chemin) {
    const auto it = std::find(chemins_.begin(), chemins_.end(), chemin);
    if (it == chemins_.end()) return false;
    chemins_.erase(it);
    return true;
}

} // namespace orv
