#include "app/CommandesMesure.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesCouleur.h"
#include "app/CommandesResultats.h"
#include "app/CommandesTrame.h"
#include "app/Historique.h"
#include "app/MesureAuto.h"

#include "images/CommandesVue.h"
#include "interface/Messages.h"
#include "measure/ChangementFonction.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "measure/Marques.h"
#include "measure/Pointage.h"

namespace orv {

void RetraceImageMontree(Orvelle& o) {
    Retrace(o.mesure, o.images.IndexImage, o.calibrage.ModeGroupe);
}

void MarquesImageMontree(Orvelle& o) {
    MarquesVueNeuve(o.mesure, o.images.IndexImage, o.calibrage.ModeGroupe);
}

std::string CheminTrameSauvegarde(const Orvelle& o) {
    const std::string& dossier =
        o.parametres.repData.empty() ? o.dossierProgramme : o.parametres.repData;
    return dossier + "/" + TrameSauvegarde;
}

bool SauvegardeTrame::Sauve(const std::string& chemin) {
    return o_.trame.sauvegardeAutomatique && !o_.trame.relecture &&
           SauveTrameAutomatique(o_, chemin);
}

ContexteMesure ContexteDe(const Orvelle& o, SauvegardeGrille* sauvegarde) {
    return ContexteMesure{o.images.vue,
                          o.images.versionVue,
                          o.images.versionImage,
                          o.images.IndexImage,
                          o.calibrage.CoefCalibrage,
                          o.calibrage.FacteurResolution,
                          o.calibrage.ModeGroupe,
                          o.parametres,
                          sauvegarde};
}

void Suivre(Orvelle& o, const SuitesMesure& s) {
    for (const ResultatAjout& a : s.ajouts) {
        if (!a.Ecrite()) continue;
        if (o.resultats.statistiquesAffichees) RecalculeStatistiques(o);
        // A pointing calibration waiting for its segment takes the value written.
        ValeurCalibrage(o);
    }
    if (s.echantillon) EchantillonneCouleur(o, *s.echantillon);
    if (s.grilleVidee) {
        VideStatistiques(o);
        // New work: the title and the proposed save name no longer name the
        // file the emptied grid came from.
        o.trame.FicTrame.clear();
    }
    if (s.effacement) {
        RecalculeStatistiques(o);
        // The erased values' marks leave the picture with them, and the
        // prompt names the value awaited now.
        if (!o.mesure.marques.fixes.empty()) RetraceImageMontree(o);
        MontreEtapeSuivante(o.ui, o.mesure);
    }
    if (s.fonctionChoisie) DisposeGrilleStatistiques(o.mesure, o.resultats.GrilleRefP);
    if (s.basculeStatistiques) {
        MontreStatistiques(o, !o.resultats.statistiquesAffichees);
        RecalculeStatistiques(o);
    }
    if (s.vue) {
        const DemandeVue& v = *s.vue;
        const auto vue = o.images.versionVue;
        switch (v.genre) {
        case DemandeVue::Genre::ZoomCentre:
            ZoomCentre(o.ui, o.images, v.mode, v.point);
            break;
        case DemandeVue::Genre::Recentre:
            Recentre(o.ui, o.images, v.point);
            break;
        case DemandeVue::Genre::Deplace:
            DeplaceImage(o.ui, o.images, v.point.x, v.point.y);
            break;
        case DemandeVue::Genre::ChampLoupe:
            BasculeChampLoupe(o.images);
            break;
        }
        // The marks follow a new view.
        if (o.images.versionVue != vue) MarquesImageMontree(o);
    }
}

namespace {

// One event of the measure: its context, then its follow-up.
template <class F> void Evenement(Orvelle& o, F&& f) {
    SauvegardeTrame sauvegarde(o);
    AccrocheImage accroche(o);
    ContexteMesure c = ContexteDe(o, &sauvegarde);
    if (accroche.Active()) c.accroche = &accroche;
    Suivre(o, f(c));
    SuitHistorique(o, o.textes.Mnu(mnu::PasMesure));
}

} // namespace

void ClicImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p, bool doubleClic) {
    // A region drawn, searched or reviewed takes the mouse from the measure.
    if (ClicMesureAuto(o, bouton, p)) return;
    Evenement(o, [&](const ContexteMesure& c) {
        return ClicImage(o.ui, o.mesure, c, bouton, mods, p, doubleClic);
    });
}

void SuitSouris(Orvelle& o, Bouton boutons, Modificateurs mods, PointTwips p) {
    if (SuitMesureAuto(o, boutons, p)) return;
    const ContexteMesure c = ContexteDe(o, nullptr);
    SuitSouris(o.ui, o.mesure, c, boutons, mods, p);
    ApercuZoneCouleur(o, p);
}

void RelacheImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p) {
    if (RelacheMesureAuto(o, bouton, p)) {
        SuitHistorique(o, o.textes.Mnu(mnu::PasMesure));
        return;
    }
    Evenement(o, [&](const ContexteMesure& c) {
        SuitesMesure s = RelacheImage(o.ui, o.mesure, c, bouton, mods, p);
        s.Ajoute(ApresRelacheUnClic(o, c, bouton));
        return s;
    });
}

void ToucheEnfoncee(Orvelle& o, Touche touche, Modificateurs mods) {
    // Esc and Enter answer a region, a search or a review first.
    // Of these, only the review's Enter changes the grid: its step is named
    // as the menu's command that does the same.
    if (ToucheMesureAuto(o, touche)) {
        SuitHistorique(o, o.textes.Mnu(mnu::AccepteSpores));
        return;
    }
    Evenement(o, [&](const ContexteMesure& c) {
        return ToucheEnfoncee(o.ui, o.mesure, c, touche, mods);
    });
}

void CommandeMenuContextuel(Orvelle& o, Controle entree) {
    Evenement(o, [&](const ContexteMesure& c) {
        return ChoixMenuContextuel(o.ui, o.mesure, c, entree).value_or(SuitesMesure{});
    });
}

void FermeMenuContextuel(Orvelle& o) {
    const ContexteMesure c = ContexteDe(o, nullptr);
    FermeMenuContextuel(o.ui, o.mesure, c);
}

void EffaceDerniereValeur(Orvelle& o) {
    Suivre(o, EffaceDerniereValeur(o.ui, o.mesure, o.parametres));
}

void AjouteValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment) {
    SauvegardeTrame sauvegarde(o);
    SuitesMesure s;
    s.ajouts.push_back(AjouteValeur(o.ui, o.mesure, o.parametres, &sauvegarde,
                                    o.calibrage.CoefCalibrage, o.images.IndexImage, valeur,
                                    segment));
    Suivre(o, s);
}

bool EffaceGrille(Orvelle& o, bool silencieux) {
    if (!EffaceGrille(o.ui, o.mesure, silencieux)) return false;
    VideStatistiques(o);
    return true;
}

void RAZ_Grille_total(Orvelle& o) {
    RAZ_Grille_total(o.ui, o.mesure);
    VideStatistiques(o);
}

void Efface_ligne(Orvelle& o, int n) {
    if (Efface_ligne(o.ui, o.mesure, o.parametres, n)) RecalculeStatistiques(o);
}

void EffaceArriere(Orvelle& o) {
    if (EffaceArriere(o.ui, o.mesure, o.parametres)) RecalculeStatistiques(o);
}

void CommandeBoutonGrille(Orvelle& o, Controle c) {
    if (const auto s = ClicBoutonGrille(o.ui, o.mesure, o.parametres, c)) Suivre(o, *s);
}

void LargeursGrille(Orvelle& o, int n) {
    LargeursGrille(o.ui, o.mesure, n);
    DisposeGrilleStatistiques(o.mesure, o.resultats.GrilleRefP);
}

void SelectionneFonction(Orvelle& o) {
    SelectionneFonction(o.ui, o.mesure, o.parametres);
    DisposeGrilleStatistiques(o.mesure, o.resultats.GrilleRefP);
}

void AppliqueFonctionDemarrage(Orvelle& o) {
    AppliqueFonctionDemarrage(o.ui, o.mesure, o.parametres);
    DisposeGrilleStatistiques(o.mesure, o.resultats.GrilleRefP);
}

void CommandeFonction(Orvelle& o, Controle c) {
    if (const auto s = ClicMenuFonction(o.ui, o.mesure, o.parametres, c)) Suivre(o, *s);
}

void CommandeOptionPointage(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::CaseLigneBrisee:
        o.mesure.LigneBrisee = o.controles(c).coche;
        return;
    case Controle::CaseInsereDim:
        o.mesure.InsereDim = o.controles(c).coche;
        return;
    default:
        return;
    }
}

} // namespace orv
