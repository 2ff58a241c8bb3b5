// The main window: menus built from the designed menu tree, the image area,
// the measurement grid and its companions, the command panel and the status
// bar. It only translates: Qt events go to the core, core state is shown.
#pragma once

#include "app/Orvelle.h"
#include "gui/Liaisons.h"

#include <QMainWindow>

#include <utility>
#include <vector>

class QAbstractButton;
class QTranslator;
class QTableView;
class QBoxLayout;
class QDockWidget;
class QHBoxLayout;
class QScrollArea;
class QTabWidget;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QWidget;

namespace orv {

class AcquisitionQt;
class CadreCopieReferencee;
class ModeleGrille;
class PanneauChargeur;
class PanneauDistribution;
class PanneauRepertoire;
class PanneauxCalibrage;
class TravailRecherche;
class ZoneImage;
class PlateformeQt;

class FenetrePrincipale : public QMainWindow {
    Q_OBJECT
public:
    FenetrePrincipale(Orvelle& orvelle, PlateformeQt& plateforme, QWidget* parent = nullptr);
    ~FenetrePrincipale() override;

    Orvelle& Etat() { return o_; }
    Liaisons& Lies() { return liaisons_; }
    QTableView* VueGrille() const { return vueGrille_; }

    // Runs a click exactly as the user's click on the control would.
    void Clique(Controle c);
    // Shows the core's state on the image box and the panels.
    void Actualise();
    // Qt's own texts (standard buttons, file dialogs) in the interface
    // language; called after the settings are read and at each language change.
    void AppliqueLangueQt();
    ZoneImage* Image() const { return zoneImage_; }
    AcquisitionQt* Acquisition() const { return acquisition_; }
    PanneauDistribution* Distribution() const { return distribution_; }

    // The commands and the grids in tabs beside the image (a narrow window).
    bool Compacte() const { return compacte_; }
    QTabWidget* Onglets() const { return onglets_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void ConstruitMenus();
    void BrancheZoneImage();
    void ApresPointage();
    // Puts the grids where the G key moved them.
    void PlaceGrille();
    QWidget* ConstruitPanneauCommandes();
    // Lays the command panel out for a wide window or for the tabs.
    void DisposePanneau(bool compacte);
    // Three columns, or the tabs, by the window's width.
    void AppliqueDisposition(int largeur);
    void LegendeOnglets();
    // The distribution panel: a dock beside the grid, or a third tab.
    void PlaceDistribution();
    QWidget* ConstruitZoneCentrale();
    QWidget* ConstruitZoneGrille();
    QWidget* ConstruitBienvenue(QWidget* parent);
    QWidget* ConstruitResultats(QWidget* parent);
    // The parameter listing and the "A propos ..." panel over the image.
    void ConstruitAide(QWidget* parent);
    struct FabriqueControles Fabrique();
    QAbstractButton* Bouton(QWidget* parent, Controle c);
    QAbstractButton* Case(QBoxLayout* l, Controle c);
    QAbstractButton* Case(QWidget* parent, Controle c);
    QAbstractButton* Option(QWidget* parent, Controle c);
    QTableView* VuePour(ModeleGrille* m, int hauteurLignes);
    void AppliqueLargeurs(QTableView* vue, const GrilleTexte& g);
    // The frames laid over the image stay inside it.
    void PlaceCadres();

    Orvelle& o_;
    PlateformeQt& plateforme_;
    Liaisons liaisons_;
    ModeleGrille* modeleGrille_ = nullptr;
    ModeleGrille* modeleStats_ = nullptr;
    ModeleGrille* modeleMini_ = nullptr;
    QTableView* vueGrille_ = nullptr;
    QTableView* vueStats_ = nullptr;
    QTableView* vueMini_ = nullptr;
    bool fermetureConfirmee_ = false;
    ZoneImage* zoneImage_ = nullptr;
    PanneauChargeur* chargeur_ = nullptr;
    CadreCopieReferencee* copie_ = nullptr;
    // Buttons whose tooltip is the caption of a menu entry (it follows the language).
    std::vector<std::pair<QAbstractButton*, Controle>> aides_;
    AcquisitionQt* acquisition_ = nullptr;
    // The search for every spore of a region, on its own thread.
    TravailRecherche* recherche_ = nullptr;
    PanneauxCalibrage* calibrage_ = nullptr;
    // "Histogrammes": the distribution panel beside the grid.
    PanneauDistribution* distribution_ = nullptr;
    QDockWidget* dockDistribution_ = nullptr;
    QWidget* resultats_ = nullptr;
    QSplitter* separateur_ = nullptr; // the image beside the grids
    QWidget* zoneGrille_ = nullptr;
    int positionGrille_ = 0;
    QWidget* bienvenue_ = nullptr;
    QLineEdit* longueurAide_ = nullptr; // the input line as the help frame shows it
    QWidget* cadreMesure_ = nullptr;    // caliper options and count, hidden while sampling colours
    // The command panel's widgets, laid out by DisposePanneau.
    struct {
        QWidget* calibrage = nullptr;
        std::vector<QWidget*> outils, zoom;
        QWidget* lectureZoom = nullptr;
        QWidget* dimensions = nullptr;
        QWidget* vignette = nullptr;
        QWidget* loupe = nullptr;
        std::vector<QWidget*> pointage; // Palmer, Bipoint, Poly, insère dim, snap
        QWidget* lectureMesure = nullptr;
        std::vector<QWidget*> comptage;
        QWidget* charte = nullptr;
        std::vector<QWidget*> grille, cases, icones;
    } commandes_;
    QWidget* panneau_ = nullptr;
    QScrollArea* defile_ = nullptr;
    QHBoxLayout* rangee_ = nullptr;
    QTabWidget* onglets_ = nullptr;
    bool compacte_ = false;
    std::string langueDisposee_; // the language whose captions the panel was laid out for
    // What the core showed last in the grids' tab: it comes forward when they appear.
    bool commentaireVu_ = false, statistiquesVues_ = false;
    PanneauRepertoire* repertoire_ = nullptr;
    QPlainTextEdit* parametres_ = nullptr;
    QWidget* aPropos_ = nullptr;
    QTranslator* traducteurQt_ = nullptr;
    std::string langueQt_;
};

} // namespace orv
