// A scripted platform for tests: it records every message, flash, beep and
// clipboard text, and answers questions and file dialogs from queues that the
// test fills beforehand. An unexpected question fails the test.
#pragma once

#include "platform/Plateforme.h"

#include <deque>
#include <map>
#include <memory>
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
    Reponse QuestionOuiNonAnnuler(const std::string& texte, const std::string& titre,
                                  Icone) override;
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
    std::optional<int> ChoisitCouleurPalette(const std::string& titre, int actuelle) override;
    void LaisseEvenements() override {}
    std::optional<TailleImage> LitTailleImage(const std::string& chemin) override;
    int LitOrientationImage(const std::string& chemin) override {
        const auto it = orientations.find(chemin);
        return it == orientations.end() ? 1 : it->second;
    }
    bool OuvreEditeurTexte(const std::string& chemin) override;
    bool OuvreDocument(const std::string& chemin) override {
        appels.push_back({"document", chemin, {}});
        return visionneuse;
    }
    std::optional<PixelsImage> ImagePressePapier() override;
    std::optional<PixelsImage> LitPixelsImage(const std::string& chemin) override;
    std::optional<EchantillonsImage> LitZoneImage(const std::string& chemin,
                                                  ZonePixels zone) override;
    // The pixels of `pixelsAffiches`, as the image box would lend them.
    std::optional<VuePixelsImage> PixelsAffiches(const std::string& chemin) override {
        const auto it = pixelsAffiches.find(chemin);
        if (it == pixelsAffiches.end()) return std::nullopt;
        const auto& p = it->second;
        return VuePixelsImage{p->pixels.data(), p->largeur, p->hauteur, p->largeur, p};
    }
    bool EcritImage(const std::string& chemin, const std::string& format, int largeur, int hauteur,
                    int octetsParLigne, const std::uint8_t* pixels) override;
    // Records the calls and paints the pixel where each drawing starts white,
    // so that a test sees what a picture received.
    bool DessineImage(PixelsImage& image, const std::vector<DessinImage>& d) override;
    std::optional<PoliceTexte> ChoisitPolice(const PoliceTexte& proposee) override;
    std::vector<LecteurMonte> Lecteurs() override { return lecteurs; }
    // Real folders of the test's temporary tree.
    std::optional<std::vector<std::string>> ContenuDossier(const std::string& dossier,
                                                           bool dossiers) override;
    TailleImage TailleEcran() override { return {1920, 1080}; }
    std::string DossierUtilisateur(GenreDossier genre) override {
        return genre == GenreDossier::Images ? dossierImages : dossierDocuments;
    }

    // Script.
    bool visionneuse = true; // the desktop has a viewer for documents
    char separateur = ',';
    std::deque<bool> reponses;                       // answers to the next questions
    std::deque<Reponse> reponses3;                   // ... and to the Yes/No/Cancel ones
    std::deque<std::optional<int>> couleurs;         // answers to the next palette choices
    std::deque<std::optional<PoliceTexte>> polices;  // ... and font choices (the size proposed
                                                     // recorded)
    std::deque<std::optional<std::string>> fichiers; // answers to the next file dialogs
    std::map<std::string, TailleImage> images;       // picture files the fake can "read"
                                                     // (and any real BMP file), upright
    std::map<std::string, int> orientations;         // their orientation tags (none: 1)
    bool editeurDisponible = true;                   // whether a text editor "starts"
    // The clipboard's picture; pixels of picture files; whether EcritImage
    // succeeds (it then writes "format largeur hauteur" and the pixel bytes).
    std::optional<PixelsImage> imagePressePapier;
    std::map<std::string, PixelsImage> pixelsImages;
    // What the image box has decoded of the picture it shows.
    std::map<std::string, std::shared_ptr<const PixelsImage>> pixelsAffiches;
    // 16-bit samples of whole picture files (zone: the whole picture).
    std::map<std::string, EchantillonsImage> echantillons;
    bool ecritureImageReussit = true;
    std::vector<LecteurMonte> lecteurs; // the mounted file systems offered
    // The user's folders (empty: none).
    std::string dossierDocuments, dossierImages;

    // Record.
    std::vector<Appel> appels;
    std::string pressePapier;
    std::uint32_t derniereCouleurFlash = 0;
    std::string dernierPropose; // folder or path the last file dialog started with

    // Texts of the recorded calls of one kind, in order.
    std::vector<std::string> Textes(const std::string& genre) const;
    int Compte(const std::string& genre) const { return static_cast<int>(Textes(genre).size()); }
    void Oublie() { appels.clear(); }
};

} // namespace orv::test
