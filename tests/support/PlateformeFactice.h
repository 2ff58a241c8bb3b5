// A scripted platform for tests: it records every message, flash, beep and
// clipboard text, and answers questions and file dialogs from queues that the
// test fills beforehand. An unexpected question fails the test.
#pragma once

#include "platform/Plateforme.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

struct Appel {
    std::string genre; // "message", "question", "flash", "bip", "fichier"...
    std::string texte;
    std::string titre;
};

class PlateformeFactice : public Plateforme {
public:
    void Message(const std::string& texte, const std::string& titre, Icone) override;
    bool QuestionOuiNon(const std::string& texte, const std::string& titre, Icone) override;
    bool QuestionOKAnnuler(const std::string& texte, const std::string& titre, Icone) override;
    void Flash(std::uint32_t couleur, const std::string& texte, int delaiSecondes) override;
    void FlashOuvre(const std::string& texte) override;
    void FlashFerme(int delaiSecondes) override;
    void Bip() override;
    char SeparateurDecimal() const override { return separateur; }
    std::optional<std::string> ChoisitFichierAOuvrir(const std::string& titre,
                                                     const std::string& filtre,
                                                     const std::string& dossier) override;
    std::optional<std::string> ChoisitFichierAEnregistrer(const std::string& titre,
                                                          const std::string& filtre,
                                                          const std::string& propose) override;
    void CopieTextePressePapier(const std::string& texte) override;
    void LaisseEvenements() override {}
    std::optional<TailleImage> LitTailleImage(const std::string& chemin) override;

    // Script.
    char separateur = ',';
    std::deque<bool> reponses;                       // answers to the next questions
    std::deque<std::optional<std::string>> fichiers; // answers to the next file dialogs
    std::map<std::string, TailleImage> images;       // picture files the fake can "read"

    // Record.
    std::vector<Appel> appels;
    std::string pressePapier;
    std::uint32_t derniereCouleurFlash = 0;

    // Texts of the recorded calls of one kind, in order.
    std::vector<std::string> Textes(const std::string& genre) const;
    int Compte(const std::string& genre) const;
    void Oublie() { appels.clear(); }
};

} // namespace orv::test
