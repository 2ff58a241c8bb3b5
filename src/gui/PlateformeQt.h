// The platform port on Qt: message boxes, flash notices over the main window,
// file dialogs, clipboard, beep and the locale's decimal separator.
#pragma once

#include "images/EnteteImage.h"
#include "pixels/LectureZone.h"
#include "pixels/PyramideImage.h"
#include "platform/Plateforme.h"

#include <QDateTime>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

#include <QLabel>
class QImage;
class QWidget;

namespace orv {

class PlateformeQt : public Plateforme {
public:
    explicit PlateformeQt(QWidget* fenetre = nullptr);
    void FixeFenetre(QWidget* fenetre);

    void Message(const std::string& texte, const std::string& titre, Icone icone) override;
    bool QuestionOuiNon(const std::string& texte, const std::string& titre, Icone icone) override;
    bool QuestionOKAnnuler(const std::string& texte, const std::string& titre,
                           Icone icone) override;
    Reponse QuestionOuiNonAnnuler(const std::string& texte, const std::string& titre,
                                  Icone icone) override;
    void Flash(std::uint32_t couleur, const std::string& texte, int delaiSecondes) override;
    void FlashOuvre(const std::string& texte) override;
    void FlashFerme(int delaiSecondes) override;
    void Bip() override;
    char SeparateurDecimal() const override;
    std::optional<std::string> ChoisitFichierAOuvrir(const std::string& titre,
                                                     const std::string& filtre,
                                                     const std::string& dossier) override;
    std::optional<std::string> ChoisitFichierAEnregistrer(const std::string& titre,
                                                          const std::string& filtre,
                                                          const std::string& propose) override;
    void CopieTextePressePapier(const std::string& texte) override;
    std::optional<int> ChoisitCouleurPalette(const std::string& titre, int actuelle) override;
    void LaisseEvenements() override;
    std::optional<TailleImage> LitTailleImage(const std::string& chemin) override;
    int LitOrientationImage(const std::string& chemin) override;
    bool OuvreEditeurTexte(const std::string& chemin) override;
    bool OuvreDocument(const std::string& chemin) override;
    std::optional<PixelsImage> ImagePressePapier() override;
    // The picture the image box shows is taken as the box decoded it; any
    // other is decoded, held to the settings' budget.
    std::optional<PixelsImage> LitPixelsImage(const std::string& chemin) override;
    // The same; besides, the last picture read stays decoded: a series of
    // colour samples reads it once.
    std::optional<EchantillonsImage> LitZoneImage(const std::string& chemin,
                                                  ZonePixels zone) override;
    // Level 0 of what the image box decoded, kept alive by the view.
    std::optional<VuePixelsImage> PixelsAffiches(const std::string& chemin) override;
    // What the image box has decoded for a path (complete, upright), and the
    // settings' MEMOIREIMAGE in megabytes; the window gives both.
    using ImageAffichee =
        std::function<std::shared_ptr<const PyramideImage>(const std::string& chemin)>;
    void FixeImageAffichee(ImageAffichee f) { imageAffichee_ = std::move(f); }
    void FixeBudgetImage(int mo) { budgetMo_ = mo; }
    bool EcritImage(const std::string& chemin, const std::string& format, int largeur, int hauteur,
                    int octetsParLigne, const std::uint8_t* pixels) override;
    bool EcritPixels(const std::string& chemin, const std::string& format,
                     const PixelsImage& image) override;
    bool DessineImage(PixelsImage& image, const std::vector<DessinImage>& dessins) override;
    std::optional<PoliceTexte> ChoisitPolice(const PoliceTexte& proposee) override;
    std::vector<LecteurMonte> Lecteurs() override;
    std::optional<std::vector<std::string>> ContenuDossier(const std::string& dossier,
                                                           bool dossiers) override;
    TailleImage TailleEcran() override;
    std::string DossierUtilisateur(GenreDossier genre) override;

    // The flash frame, for tests.
    QLabel* CadreFlash() const { return flash_; }

    // Converts the program's "Label|*.a;*.b|Label|*.c" filter to Qt's form.
    static QString FiltreQt(const std::string& filtre);

private:
    QLabel* Cadre();
    QPointer<QWidget> fenetre_;
    QPointer<QLabel> flash_;
    QTimer minuterie_;
    ImageAffichee imageAffichee_;
    int budgetMo_ = BudgetImageMoDefaut;
    struct {
        std::string chemin;
        qint64 modifie = 0; // nanoseconds
        qint64 taille = -1;
        ImageStockee image;
    } zone_;
};

// A Qt picture as the core holds pictures.
PixelsImage VersPixels(const QImage& source);

} // namespace orv
