// The state of the main window: every subsystem's state in one object, created
// at start-up and kept until the program ends. Tests create as many as they like.
#pragma once

#include "annotation/EtatAnnotation.h"
#include "app/EtatMesureAuto.h"
#include "app/Historique.h"
#include "base/ListeRecente.h"
#include "base/Parametres.h"
#include "calibration/EtatCalibrage.h"
#include "colour/EtatCouleur.h"
#include "images/EtatImages.h"
#include "interface/Controles.h"
#include "interface/Interface.h"
#include "interface/TablesTextes.h"
#include "measure/EtatMesure.h"
#include "measure/GrilleTexte.h"
#include "platform/Plateforme.h"
#include "results/EtatResultats.h"

#include <array>
#include <map>
#include <string>
#include <utility>

namespace orv {

class Orvelle {
public:
    // `dossierProgramme` is the program folder (settings, language files...).
    Orvelle(Plateforme& plateforme, std::string dossierProgramme);
    Orvelle(const Orvelle&) = delete; // `ui` refers to this object's own members
    Orvelle& operator=(const Orvelle&) = delete;

    Plateforme& plateforme;
    const std::string dossierProgramme;

    Controles controles;
    TablesTextes textes;
    // Whose the shared input line and comment frame are.
    CadresPartages cadres;
    // The four above, as the subsystems' rules take them.
    Interface ui{plateforme, controles, textes, cadres};
    Parametres parametres;

    // The measure: grid, mirror, marks, pointing, comment editor.
    EtatMesure mesure;

    // The picture shown and its view, the magnifier, the loader.
    EtatImages images;
    // The calibration: factors, the pointing calibration under way, the
    // stored factors of the panel, the image group and its mode.
    EtatCalibrage calibrage;
    // The colour function: sample zone, calibrated mode, colour files.
    EtatCouleur couleur;
    // Scale bars and texts on the view and on the picture's full-size copy.
    EtatAnnotation annotation;

    // Files shipped with the program (warning texts, languages).
    std::string dossierDonnees;
    // The File menu's recent work, most recent first (app/TravailRecent).
    ListeRecente tramesRecentes;
    ListeRecente imagesRecentes;

    // The work's grid file (app/CommandesTrame).
    struct {
        std::string FicTrame; // its name, proposed by the next save
        std::string chemin;   // full path of the grid file last saved or loaded
        // The work (function and grid texts) as that file holds it: quitting
        // with other measures asks to save them.
        std::string travailSauve;
        // The grid saves itself every SAVAUTO lines and when full; on from start-up.
        bool sauvegardeAutomatique = false;
        // A grid file's lines are replayed into the grid: no automatic save
        // and no statistics until the last one.
        bool relecture = false;
    } trame;

    // The language (app/Langue).
    struct {
        // Given from outside: `--lang` for this run, over the settings; the
        // desktop's, taken at the first start (no settings file yet).
        std::string demandee, bureau;
        // The captions a language changed, with the text each had before and
        // the text the language gave it: the next language starts from French.
        std::map<Controle, std::pair<std::string, std::string>> legendes;
        // Hidden switch: report language-file lines naming no button; with
        // --diagnostic-langue it is turned on at each language change.
        bool diagnostic = false, diagnosticDemande = false;
    } langue;

    // The help frames (app/Aide): the welcome shown; the help frame showing the
    // key memo, or the step-by-step guide.
    struct {
        bool bienvenueAffichee = false, memoCles = false, pasAPas = false;
    } aide;

    // The window's own life (app/Fenetre).
    struct {
        bool premiereActivationFaite = false;
        bool fermeture = false; // set once the user confirmed quitting: the window closes
        // Options > "machine rapide": redraws and statistics follow each value.
        bool machineRapide = true;
        // Options > screen copy: the whole screen, else the work area.
        bool copieEcranEntier = true;
    } fenetre;

    // The statistics grid, order statistics, notation, export and import (results/).
    EtatResultats resultats;

    // The grid's changes, for undo and redo.
    Historique historique;

    // Measures from the picture itself: one click, find all and review.
    EtatMesureAuto mesureAuto;

    // Decimal separator of the user's locale.
    char Sep() const { return plateforme.SeparateurDecimal(); }
};

} // namespace orv
