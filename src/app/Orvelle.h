// The state of the main window: every subsystem's state in one object, created
// at start-up and kept until the program ends. Tests create as many as they like.
#pragma once

#include "app/Controles.h"
#include "app/Parametres.h"
#include "app/TablesTextes.h"
#include "measure/EtatMesure.h"
#include "measure/GrilleTexte.h"
#include "platform/Plateforme.h"

#include <array>
#include <functional>
#include <string>

namespace orv {

class Orvelle {
public:
    // `dossierProgramme` is the program folder (settings, language files...).
    Orvelle(Plateforme& plateforme, std::string dossierProgramme);

    Plateforme& plateforme;
    const std::string dossierProgramme;

    Controles controles;
    TablesTextes textes;
    Parametres parametres;

    // Measurement grid, its statistics grid and its four-row mirror.
    GrilleTexte GrilleRef;
    GrilleTexte GrilleRefP;
    GrilleTexte MGrille;
    EtatMesure mesure;

    // Calibration: micrometres per pixel unit, one factor per image slot.
    double CoefCalibrage = 1.0;
    std::array<double, 51> CalibrageImage{};
    int IndexImage = 0;
    double FacteurResolution = 1.0;

    // Folders and files.
    std::string REPPROG;
    std::string FicTrame;
    std::string extensionExport = "csv";

    // Window flags.
    bool premiereActivationFaite = false;
    bool diagnosticLangue = false; // hidden switch: report language-file lines naming no button
    bool machineRapide = true;

    // Writer of the grid file, set once that subsystem exists; returns false
    // (after saying why) when nothing was saved.
    std::function<bool(Orvelle&, const std::string& chemin)> sauveTrame;

    // Asked by the window before it closes: true when the user confirmed.
    bool DemandeFermeture();

    // Decimal separator of the user's locale.
    char Sep() const { return plateforme.SeparateurDecimal(); }
};

} // namespace orv
