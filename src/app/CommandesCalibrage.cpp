#include "app/CommandesCalibrage.h"

#include "app/CalibrageGraduations.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesTrame.h"
#include "base/Nombres.h"
#include "calibration/GroupeImages.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"

#include <iterator>

namespace orv {

namespace {

// The calibration segment's grid value out of the grid, then the marks.
void Retire(Orvelle& o, const RetraitSegment& r) {
    switch (r.genre) {
    case RetraitSegment::Genre::Ligne:
        Efface_ligne(o, r.ligne);
        break;
    case RetraitSegment::Genre::Arriere:
        EffaceArriere(o);
        break;
    case RetraitSegment::Genre::Aucun:
        break;
    }
    if (r.retrace && !o.mesure.marques.fixes.empty()) RetraceImageMontree(o);
    // The segment's reading goes with it; once the calibration is over, the
    // prompt names the value the grid awaits again.
    if (r.genre != RetraitSegment::Genre::Aucun) o.controles.Texte(Controle::LectureMesure, "");
    if (!o.calibrage.CalibrageEnCours) MontreEtapeSuivante(o.ui, o.mesure);
}

const std::string& TexteObjectif(const Orvelle& o) {
    return o.controles.Texte(Controle::TexteObjectif);
}

} // namespace

ImageMontree ImageDe(const Orvelle& o) {
    return ImageMontree{o.images.IndexImage, o.images.vue.LargeurPixels()};
}

void AfficheCalibrage(Orvelle& o) {
    AfficheCalibrage(o.ui, o.calibrage, o.parametres, ImageDe(o));
}

double UnitesParPixelImage(const Orvelle& o) {
    return UnitesParPixelImage(o.parametres.indPres, ImageDe(o).largeurPixels);
}

double MicronsParPixelImage(const Orvelle& o) {
    return MicronsParPixelImage(o.calibrage, o.parametres.indPres, ImageDe(o).largeurPixels);
}

void FixeCalibrage(Orvelle& o, double facteur) {
    FixeCalibrage(o.ui, o.calibrage, o.parametres, ImageDe(o), facteur);
}

void MontreCalibrageImage(Orvelle& o) {
    MontreCalibrageImage(o.ui, o.calibrage, o.parametres, ImageDe(o));
}

double FacteurResolutionCourant(const Orvelle& o) {
    return FacteurResolutionCourant(o.parametres.indPres, ImageDe(o).largeurPixels);
}

void AppliqueResolution(Orvelle& o) {
    AppliqueResolution(o.ui, o.calibrage, o.parametres, ImageDe(o));
}

void Etalonner(Orvelle& o) {
    Etalonner(o.ui, o.calibrage, o.parametres, ImageDe(o), o.mesure.LongueurPixels);
}

void ValeurCalibrage(Orvelle& o) {
    // A segment dragged along a scale: the graduations are looked for along it first.
    if (AttendSegment(o.calibrage) && o.calibrage.TypeCalibrage == ProcedureCalibrage::Periode) {
        Retire(o, PeriodeCalibrage(o.ui, o.calibrage, o.mesure, ImageDe(o), ChercheGraduations(o)));
        return;
    }
    ValeurCalibrage(o.ui, o.calibrage, o.mesure, o.parametres, ImageDe(o), TexteObjectif(o));
}

void ValideSaisieCalibrage(Orvelle& o) {
    const std::string saisie = o.controles.Texte(Controle::TexteSaisie);
    Retire(o, ValideSaisieCalibrage(o.ui, o.calibrage, o.parametres, o.mesure, ImageDe(o), saisie,
                                    TexteObjectif(o)));
}

void AnnuleSaisieCalibrage(Orvelle& o) {
    Retire(o, AnnuleSaisieCalibrage(o.ui, o.calibrage, o.mesure));
}

void BasculePanneauGroupe(Orvelle& o) {
    auto& k = o.controles;
    if (k(Controle::CadreGroupe).visible) {
        k.Visible(Controle::CadreGroupe, false);
        return;
    }
    k.Visible(Controle::CadreGroupe, true);
    k.Texte(Controle::BarreEtat, o.textes.Msg(msg::FermerGroupe));
}

void CommandeGroupe(Orvelle& o, Controle c) {
    using C = Controle;
    auto modifie = [&](ActionGroupe a) {
        ModifieGroupe(o.ui, o.calibrage.groupe, o.images.chargeur, a);
    };
    switch (c) {
    case C::GroupeAjoute:
        modifie(ActionGroupe::AjouteSelection);
        break;
    case C::GroupeRetire:
        modifie(ActionGroupe::RetireLigne);
        break;
    case C::GroupeAjouteTout:
        modifie(ActionGroupe::AjouteTout);
        break;
    case C::GroupeRetireTout:
        modifie(ActionGroupe::RetireTout);
        break;
    case C::GroupeOK:
        modifie(ActionGroupe::Ferme);
        break;
    case C::CaseModeMC:
        // The mode follows the box (its new state is in the registry); the
        // panel closes and the marks are drawn again.
        EtatModeGroupe(o.ui, o.calibrage, o.controles(Controle::CaseModeMC).coche);
        o.controles.Visible(C::CadreGroupe, false);
        RetraceImageMontree(o);
        break;
    case C::CaseImgMC:
        RetraceImageMontree(o);
        break;
    default:
        return;
    }
    // In group mode the displayed list is the group's.
    AfficheListeImages(o);
}

ContextePanneau ContextePanneauDe(const Orvelle& o) {
    const auto& k = o.controles;
    return ContextePanneau{o.parametres,
                           ImageDe(o),
                           o.mesure.LongueurPixels,
                           CheminCalibrage(o.dossierProgramme),
                           k(Controle::Loupe).actif,
                           k.Texte(Controle::TexteCalibrage),
                           k.Texte(Controle::TexteCorrection)};
}

void EtapeCadreCalibrage(Orvelle& o, int commande) {
    EtapeCadreCalibrage(o.ui, o.calibrage, ContextePanneauDe(o), commande);
}

void ValideCadreCalibrage(Orvelle& o) {
    ValideCadreCalibrage(o.ui, o.calibrage, ContextePanneauDe(o));
}

void CommandeOptionCalibrage(Orvelle& o, Controle c) {
    // Lines in the grid measure otherwise in the other mode: once the mode
    // changed, every line is recomputed, so that the grid never holds values
    // of both modes.
    const bool lignes = o.mesure.LigneCourante > 1 || o.mesure.Etape >= 2;
    const bool avant = o.parametres.indPres;
    if (!ClicOption(o.ui, o.calibrage, o.parametres, ImageDe(o), lignes, o.mesure.Etape >= 2, c))
        return;
    if (o.parametres.indPres != avant && lignes) MajGrille(o);
    return;
}

void Editeur(Orvelle& o) {
    Editeur(o.ui, CheminCalibrage(o.dossierProgramme));
}

void CommandeCalibrage(Orvelle& o, Controle c) {
    using C = Controle;
    // The panel's commands, in the order of their numbers.
    constexpr Controle kCommandes[] = {C::CalibrageCoefficient, C::CalibrageBalanceBlancs,
                                       C::CalibragePortion,     C::CalibrageCharger,
                                       C::CalibrageSauvegarde,  C::CalibrageResolution,
                                       C::CalibrageObjectif};
    for (int i = 0; i < static_cast<int>(std::size(kCommandes)); ++i)
        if (kCommandes[i] == c) {
            EtapeCadreCalibrage(o, i);
            return;
        }
    switch (c) {
    case C::EditerCalibrage:
        Editeur(o);
        return;
    case C::Etalonner:
        Etalonner(o);
        return;
    case C::QuitterCalibrage:
        Calibrage_Ferme(o.ui);
        return;
    case C::ValiderCalibrage:
        ValideCadreCalibrage(o);
        return;
    case C::SaisieOK:
        ValideSaisieCalibrage(o);
        return;
    case C::SaisieAnnule:
        AnnuleSaisieCalibrage(o);
        return;
    case C::CalibrageCorrection:
        EtapeCadreCalibrage(o, CommandeCorrection);
        return;
    case C::CorrectionAppliquer:
    case C::CorrectionAnnuler:
        FermeCorrection(o.ui, o.calibrage, ContextePanneauDe(o), c == C::CorrectionAppliquer);
        return;
    case C::EtalonnageResolution:
        Calibrage_Ouvre(o.ui, o.calibrage);
        return;
    case C::GroupeAjoute:
    case C::GroupeRetire:
    case C::GroupeAjouteTout:
    case C::GroupeRetireTout:
    case C::GroupeOK:
    case C::CaseModeMC:
    case C::CaseImgMC:
        CommandeGroupe(o, c);
        return;
    case C::OptionIndDim:
    case C::OptionIndRes:
    case C::OptionCalibrageLongueur:
    case C::OptionCalibrageGraduations:
    case C::OptionCalibragePeriode:
        CommandeOptionCalibrage(o, c);
        return;
    case C::GroupeChargeMC:
    case C::GroupageMC:
        BasculePanneauGroupe(o);
        return;
    case C::CalibrageGroupe:
        CopieCalibrageGroupe(o.ui, o.calibrage, o.images.IndexImage);
        return;
    default:
        return;
    }
}

void InstalleCalibrage(Orvelle& o) {
    EtatModeGroupe(o.ui, o.calibrage, o.controles(Controle::CaseModeMC).coche);
    o.controles.Actif(Controle::TexteObjectif,
                      o.calibrage.optionPortion == ProcedureCalibrage::Graduations);
}

} // namespace orv
