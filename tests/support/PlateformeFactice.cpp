#include "PlateformeFactice.h"

#include <stdexcept>

namespace orv::test {

void PlateformeFactice::Message(const std::string& texte, const std::string& titre, Icone) {
    appels.push_back({"message", texte, titre});
}

bool PlateformeFactice::QuestionOuiNon(const std::string& texte, const std::string& titre, Icone) {
    appels.push_back({"question", texte, titre});
    if (reponses.empty()) throw std::logic_error("unexpected question: " + texte);
    const bool r = reponses.front();
    reponses.pop_front();
    return r;
}

bool PlateformeFactice::QuestionOKAnnuler(const std::string& texte, const std::string& titre,
                                          Icone) {
    appels.push_back({"question", texte, titre});
    if (reponses.empty()) throw std::logic_error("unexpected question: " + texte);
    const bool r = reponses.front();
    reponses.pop_front();
    return r;
}

void PlateformeFactice::Flash(std::uint32_t couleur, const std::string& texte, int) {
    derniereCouleurFlash = couleur;
    appels.push_back({"flash", texte, {}});
}

void PlateformeFactice::FlashOuvre(const std::string& texte) {
    appels.push_back({"flash", texte, {}});
}

void PlateformeFactice::FlashFerme(int) {}

void PlateformeFactice::Bip() {
    appels.push_back({"bip", {}, {}});
}

std::optional<std::string> PlateformeFactice::ChoisitFichierAOuvrir(const std::string& titre,
                                                                    const std::string&,
                                                                    const std::string&) {
    appels.push_back({"fichier", titre, {}});
    if (fichiers.empty()) throw std::logic_error("unexpected file dialog: " + titre);
    auto r = fichiers.front();
    fichiers.pop_front();
    return r;
}

std::optional<std::string> PlateformeFactice::ChoisitFichierAEnregistrer(const std::string& titre,
                                                                         const std::string&,
                                                                         const std::string&) {
    appels.push_back({"fichier", titre, {}});
    if (fichiers.empty()) throw std::logic_error("unexpected file dialog: " + titre);
    auto r = fichiers.front();
    fichiers.pop_front();
    return r;
}

void PlateformeFactice::CopieTextePressePapier(const std::string& texte) {
    pressePapier = texte;
    appels.push_back({"pressepapier", texte, {}});
}

std::optional<TailleImage> PlateformeFactice::LitTailleImage(const std::string& chemin) {
    auto it = images.find(chemin);
    if (it == images.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> PlateformeFactice::Textes(const std::string& genre) const {
    std::vector<std::string> v;
    for (const auto& a : appels)
        if (a.genre == genre) v.push_back(a.texte);
    return v;
}

int PlateformeFactice::Compte(const std::string& genre) const {
    int n = 0;
    for (const auto& a : appels)
        if (a.genre == genre) ++n;
    return n;
}

} // namespace orv::test
