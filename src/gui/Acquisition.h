// The window's side of acquisition and screen copy: the source dialog, the
// acquisition run on a worker thread behind a progress box with Cancel, and
// the pictures only the window can take (the drawn view, the desktop).
#pragma once

#include "acquisition/Scanner.h"
#include "app/CommandesAcquisition.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QWidget;

namespace orv {

class AcquisitionQt : public QObject, public PrisesDeVue {
    Q_OBJECT
public:
    // `actualise` shows the core's state once a command changed it. The
    // sources are listed by the program `assistant` (orvelle-sources, see
    // AssistantSources) when one is given and starts, by `scanner` and the
    // camera module (gui/Camera.h) in this process otherwise.
    AcquisitionQt(Orvelle& o, QWidget* fenetre, QWidget* zoneImage, std::function<void()> actualise,
                  std::unique_ptr<Scanner> scanner, QString assistant = {});
    ~AcquisitionQt() override;

    // Runs the commands of this part (the acquisition menu, its button, the screen copy);
    // false for any other control.
    bool Clic(Controle c);
    bool EnCours() const { return travail_.joinable(); }
    // The source chosen in the dialog, kept until the program closes (empty:
    // the first one found).
    const std::string& Source() const { return source_; }
    void FixeSource(std::string s) { source_ = std::move(s); }
    QProgressDialog* Progres() const { return progres_; }
    // The sources found by the search started with the window (scanners and
    // cameras); until it ends the acquisition entries stay disabled.
    bool RechercheFinie() const { return rechercheFinie_; }
    const std::vector<SourceAcquisition>& Sources() const { return sources_; }

    static bool EcranLisible();
    // orvelle-sources as installed beside the program, or where the build
    // made it; empty when there is none.
    static QString AssistantSources();
    std::optional<PixelsImage> VueDessinee() override;
    std::optional<PixelsImage> Ecran() override;

signals:
    // An acquisition ended and the core has its result.
    void Terminee();
    // The search for sources ended; the entries follow what it found.
    void SourcesTrouvees();

private:
    struct Trouvees {
        std::vector<SourceAcquisition> sources;
        bool avecCameras = false; // false: the cameras are still to be listed here
    };
    void ChercheSources();
    void LanceRecherche();
    Trouvees Cherche() const;
    void FinRecherche(Trouvees t);
    void AppliqueDisponibilite();
    void ChoisitSource();
    void Acquiert();
    void Fin(IssueAcquisition issue, const std::string& erreur, const std::string& chemin);
    void CopieEcranSansMenu();

    Orvelle& o_;
    QWidget* fenetre_;
    QWidget* zoneImage_;
    std::function<void()> actualise_;
    std::unique_ptr<Scanner> scanner_;
    QString assistant_;
    std::atomic<bool> ferme_{false};
    std::string source_;
    std::atomic<bool> annule_{false};
    std::thread travail_;
    std::thread recherche_;
    bool rechercheFinie_ = false;
    std::vector<SourceAcquisition> sources_;
    QPointer<QProgressDialog> progres_;
};

} // namespace orv
