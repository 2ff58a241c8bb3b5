#include "calibration/ClicCalibrage.h"

#include "app/Orvelle.h"
#include "calibration/Calibrage.h"
#include "calibration/GroupeImages.h"
#include "calibration/PanneauCalibrage.h"

#include <iterator>

namespace orv {

bool ClicCalibrage(Orvelle& o, Controle c) {
    using C = Controle;
    // The panel's commands, in the order of their numbers.
    constexpr Controle kCommandes[] = {C::CalibrageCoefficient, C::CalibrageBalanceBlancs,
                                       C::CalibragePortion,     C::CalibrageCharger,
                                       C::CalibrageSauvegarde,  C::CalibrageResolution,
                                       C::CalibrageObjectif};
    for (int i = 0; i < static_cast<int>(std::size(kCommandes)); ++i)
        if (kCommandes[i] == c) {
            EtapeCadreCalibrage(o, i);
            return true;
        }
    switch (c) {
    case C::EditerCalibrage:
        Editeur(o);
        return true;
    case C::Etalonner:
        Etalonner(o);
        return true;
    case C::QuitterCalibrage:
        Calibrage_Ferme(o);
        return true;
    case C::ValiderCalibrage:
        ValideCadreCalibrage(o);
        return true;
    case C::SaisieOK:
        ValideSaisieCalibrage(o);
        return true;
    case C::SaisieAnnule:
        AnnuleSaisieCalibrage(o);
        return true;
    case C::CalibrageCorrection:
        EtapeCadreCalibrage(o, CommandeCorrection);
        return true;
    case C::CorrectionAppliquer:
    case C::CorrectionAnnuler:
        Command1_Click(o, c == C::CorrectionAppliquer ? 0 : 1);
        return true;
    case C::EtalonnageResolution:
        Calibrage_Ouvre(o);
        return true;
    case C::GroupeAjoute:
        BoutMC_Click(o, 0);
        return true;
    case C::GroupeRetire:
        BoutMC_Click(o, 1);
        return true;
    case C::GroupeAjouteTout:
        BoutMC_Click(o, 2);
        return true;
    case C::GroupeRetireTout:
        BoutMC_Click(o, 3);
        return true;
    case C::GroupeOK:
        BoutMC_Click(o, 4);
        return true;
    case C::CaseModeMC:
    case C::CaseImgMC:
        chkMC_Click(o, c == C::CaseModeMC ? 0 : 1);
        return true;
    case C::OptionIndDim:
    case C::OptionIndRes:
    case C::OptionCalibrageLongueur:
    case C::OptionCalibrageGraduations:
        return ClicOption(o, c);
    case C::GroupeChargeMC:
    case C::GroupageMC:
        BasculePanneauGroupe(o);
        return true;
    case C::CalibrageGroupe:
        CopieCalibrageGroupe(o);
        return true;
    default:
        return false;
    }
}

void InstalleCalibrage(Orvelle& o) {
    o.valeurCalibrage = [](Orvelle& e, double valeur) { ValeurCalibrage(e, valeur); };
    EtatModeGroupe(o);
    o.controles.Actif(Controle::TexteObjectif,
                      o.controles(Controle::OptionCalibrageGraduations).coche);
}

} // namespace orv
