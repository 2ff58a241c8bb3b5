// The platform of orvelle-cli: no window and nobody to answer. Messages go to
// standard error, questions are declined (declining never changes data), file
// dialogs are cancelled, the clipboard and pictures are out of reach.
#pragma once

#include "images/EnteteImage.h"
#include "platform/Plateforme.h"

namespace orv::cli {

class PlateformeCli : public Plateforme {
public:
    explicit PlateformeCli(char separateurDecimal) : separateur_(separateurDecimal) {}

    void Message(const std::string& texte, const std::string& titre, Icone) override;
    bool QuestionOuiNon(const std::string& texte, const std::string& titre, Icone) override;
    bool QuestionOKAnnuler(const std::string& texte, const std::string& titre, Icone) override;
    Reponse QuestionOuiNonAnnuler(const std::string&, const std::string&, Icone) override {
        return Reponse::Annuler;
    }
    void Flash(std::uint32_t, const std::string&, int) override {}
    void FlashOuvre(const std::string&) override {}
    void FlashFerme(int) override {}
    void Bip() override {}
    char SeparateurDecimal() const override { return separateur_; }
    std::optional<std::string> ChoisitFichierAOuvrir(const std::string&, const std::string&,
                                                     const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChoisitFichierAEnregistrer(const std::string&, const std::string&,
                                                          const std::string&) override {
        return std::nullopt;
    }
    void CopieTextePressePapier(const std::string&) override {}
    std::optional<int> ChoisitCouleurPalette(const std::string&, int) override {
        return std::nullopt;
    }
    // From the file's header, as the window reads it.
    std::optional<TailleImage> LitTailleImage(const std::string& chemin) override;
    int LitOrientationImage(const std::string& chemin) override;
    void LaisseEvenements() override {}
    bool OuvreEditeurTexte(const std::string&) override { return false; }
    bool OuvreDocument(const std::string&) override { return false; }
    std::optional<PixelsImage> ImagePressePapier() override { return std::nullopt; }
    // The pixels of a picture file, upright as the image box shows it, decoded
    // as the window decodes it (without Qt's image library: nothing).
    std::optional<PixelsImage> LitPixelsImage(const std::string& chemin) override;
    // The colour samples of a picture file, decoded as the window decodes it
    // and held to the same budget (without Qt's image library: nothing).
    std::optional<EchantillonsImage> LitZoneImage(const std::string& chemin,
                                                  ZonePixels zone) override;
    // The settings' MEMOIREIMAGE, megabytes.
    void FixeBudgetImage(int mo) { budgetMo_ = mo; }
    bool EcritImage(const std::string&, const std::string&, int, int, int,
                    const std::uint8_t*) override {
        return false;
    }
    std::vector<LecteurMonte> Lecteurs() override { return {}; }
    std::optional<std::vector<std::string>> ContenuDossier(const std::string&, bool) override {
        return std::nullopt;
    }
    TailleImage TailleEcran() override { return {}; }

private:
    char separateur_;
    int budgetMo_ = BudgetImageMoDefaut;
};

} // namespace orv::cli
