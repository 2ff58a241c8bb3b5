#include "calibration/ClicCalibrage.h"

#include "app/Orvelle.h"
#include "calibration/Calibrage.h"
#include "calibration/GroupeImages.h"
#include "calibration/PanneauCalibrage.h"

namespace orv {

namespace {

bool ClicBouton(Orvelle& o, int index) {
    switch (index) {
    case 6:
        Editeur(o);
        return true;
    case 10:
        Etalonner(o);
        return true;
    case 19:
        Calibrage_Ferme(o);
        return true;
    case 20:
        ValideCadreCalibrage(o);
        return true;
    case 31:
        ValideSaisieCalibrage(o);
        return true;
    case 32:
        AnnuleSaisieCalibrage(o);
        return true;
    case 44:
        EtapeCadreCalibrage(o, CommandeCorrection);
        return true;
    default:
        if (index >= 21 && index <= 27) {
            EtapeCadreCalibrage(o, index - 21);
            return true;
        }
        return false;
    }
}

} // namespace

bool ClicCalibrage(Orvelle& o, const std::string& famille, int index) {
    if (famille == "bout") return ClicBouton(o, index);
    if (famille == "Optn") return ClicOption(o, index);
    if (famille == "Command1" && (index == 0 || index == 1)) {
        Command1_Click(o, index);
        return true;
    }
    if (famille == "MnuEDit" && index == 4) {
        Calibrage_Ouvre(o);
        return true;
    }
    if (famille == "BoutMC" && index >= 0 && index <= 4) {
        BoutMC_Click(o, index);
        return true;
    }
    if (famille == "chkMC" && (index == 0 || index == 1)) {
        chkMC_Click(o, index);
        return true;
    }
    if (famille == "cmdChargeMC" || (famille == "Mntool" && index == 3)) {
        BasculePanneauGroupe(o);
        return true;
    }
    if (famille == "Mntool" && index == 6) {
        CopieCalibrageGroupe(o);
        return true;
    }
    return false;
}

void InstalleCalibrage(Orvelle& o) {
    o.valeurCalibrage = [](Orvelle& e, double valeur) { ValeurCalibrage(e, valeur); };
    EtatModeGroupe(o);
    o.controles.Actif("TBox", 2, o.controles("Optn", 4).coche);
}

} // namespace orv
