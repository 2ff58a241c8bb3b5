#include "calibration/Calibrage.h"

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "interface/Messages.h"
#include "measure/Grille.h"
#include "measure/Marques.h"

#include <cstdint>

namespace orv {

namespace {

constexpr std::uint32_t kRouge = 0x0000FF;
constexpr std::uint32_t kJaune = 0x00FFFF;
constexpr std::uint32_t kRefus = 0xC0C0FF; // back colour of the refusal notice
constexpr int kDelaiFlash = 2;
constexpr double kMaxi = 10000;
constexpr double kMini = 0.0001;

// Message numbers of the text table.
constexpr int kMsgAlerte = 101;
constexpr int kMsgPointerEtalon = 164;
constexpr int kMsgPointerDivisions = 165;
constexpr int kMsgDivisionsObjectif = 170;
constexpr int kMsgLongueur = 171;
constexpr int kMsgLongueurEtalon = 172;
constexpr int kMsgNombreDivisions = 173;
constexpr int kMsgUneDivision = 181;
constexpr int kMnuValeurInvalide = 6;

void Statut(Orvelle& o, const std::string& texte) {
    o.controles.Texte(Controle::BarreEtat, texte);
}

int LargeurImagePixels(const Orvelle& o) {
    if (o.images.vue.LargeurPixels() > 0) return o.images.vue.LargeurPixels();
    return static_cast<int>(LitDecimal(o.controles.Texte(Controle::LargeurImage)));
}

// The calibration is over: nothing pending, "Etalonner" back to its colour,
// the magnifier button back if the calibration took it.
void TermineCalibrage(Orvelle& o) {
    auto& c = o.calibrage;
    c.CalibrageEnCours = false;
    c.segment.reset();
    o.controles.Couleur(Controle::Etalonner, std::nullopt);
    if (c.loupeCoupee) {
        o.controles.Actif(Controle::Loupe, true);
        c.loupeCoupee = false;
    }
}

// Removes the grid value that the calibration segment became, and only that:
// its whole line when it opened the line, otherwise the value itself while it
// is still the last one entered.
void RetireSegment(Orvelle& o) {
    auto& c = o.calibrage;
    if (!c.segment) return;
    const SegmentCalibrage s = *c.segment;
    c.segment.reset();
    const auto& m = o.mesure;
    if (o.mesure.GrilleRef.Texte(s.ligne, s.etape).empty()) return; // already gone
    if (s.etape == 1) {
        const bool ligneExiste =
            s.ligne < m.LigneCourante || (s.ligne == m.LigneCourante && m.Etape > 1);
        if (ligneExiste) Efface_ligne(o, s.ligne);
    } else {
        const bool derniere = (m.LigneCourante == s.ligne && m.Etape == s.etape + 1) ||
                              (m.LigneCourante == s.ligne + 1 && m.Etape == 1);
        if (derniere) EffaceArriere(o);
    }
    // The segment is no measure: its marks leave the picture with its value.
    if (!o.mesure.marques.fixes.empty()) Retrace(o);
}

// A validated factor: shown, kept for the image, and the dialogue closed.
void FinSaisie(Orvelle& o) {
    AfficheCalibrage(o);
    if (o.images.IndexImage >= 0 && o.images.IndexImage < static_cast<int>(o.CalibrageImage.size()))
        o.CalibrageImage[static_cast<size_t>(o.images.IndexImage)] = o.CoefCalibrage;
    o.controles.Visible(Controle::CadreSaisie, false);
}

void ChoisitFormat(Orvelle& o) {
    if (!o.parametres.decimAuto) return;
    o.parametres.fDecimal =
        FormatAutomatique(LargeurImagePixels(o), o.CoefCalibrage, o.parametres.fDecimal);
}

// What cannot be computed (a segment of no length, no objective): said, and
// the calibration ends without changing the factor.
void Erreur(Orvelle& o) {
    o.plateforme.Message(o.textes.Msg(kMsgAlerte) + "99");
    RetireSegment(o);
    TermineCalibrage(o);
    o.controles.Visible(Controle::CadreSaisie, false);
}

std::string Format(const Orvelle& o, double v, const std::string& motif) {
    return FormatNombre(v, motif, o.Sep());
}

} // namespace

bool Calibre(const Orvelle& o) {
    return o.calibrage.calibrageFait || o.CoefCalibrage != 1.0;
}

double UnitesParPixelImage(const Orvelle& o) {
    const int largeur = LargeurImagePixels(o);
    if (largeur <= 0) return 0;
    return LargeurReference * FacteurResolutionCourant(o) / largeur;
}

double MicronsParPixelImage(const Orvelle& o) {
    return o.CoefCalibrage * UnitesParPixelImage(o);
}

void AfficheCalibrage(Orvelle& o) {
    std::string texte = o.textes.Msg(108) + Format(o, o.CoefCalibrage, "###0.0000");
    // Beside the factor while it was neither made nor loaded: lengths are then
    // pixel units, not micrometres.
    if (!Calibre(o)) texte += "  " + o.textes.Mnu(mnu::NonCalibre);
    // What users check against their objective: micrometres per pixel of the picture.
    if (const double um = MicronsParPixelImage(o); um > 0)
        texte += "\n" + Format(o, um, "###0.0000") + " µm/px";
    o.controles.Texte(Controle::LegendeCalibrage, texte);
}

void FixeCalibrage(Orvelle& o, double facteur) {
    o.CoefCalibrage = facteur;
    o.calibrage.calibrageFait = true;
    if (o.images.IndexImage >= 0 && o.images.IndexImage < static_cast<int>(o.CalibrageImage.size()))
        o.CalibrageImage[static_cast<size_t>(o.images.IndexImage)] = facteur;
    AfficheCalibrage(o);
}

void MontreCalibrageImage(Orvelle& o) {
    if (o.images.IndexImage < 0 || o.images.IndexImage >= static_cast<int>(o.CalibrageImage.size()))
        return;
    o.CoefCalibrage = o.CalibrageImage[static_cast<size_t>(o.images.IndexImage)];
    AfficheCalibrage(o);
}

void CalibrageNouvelleImage(Orvelle& o, int slot) {
    if (slot < 0 || slot >= static_cast<int>(o.CalibrageImage.size())) return;
    o.CalibrageImage[static_cast<size_t>(slot)] = o.CoefCalibrage;
}

double FacteurResolutionCourant(const Orvelle& o) {
    if (o.parametres.indPres) return 1.0;
    const int largeur = LargeurImagePixels(o);
    // Without a picture a factor of 0 would make every length 0.
    return largeur > 0 ? largeur * 0.001 : 1.0;
}

void AppliqueResolution(Orvelle& o) {
    o.FacteurResolution = FacteurResolutionCourant(o);
    // The micrometres per picture pixel follow the picture and the mode.
    AfficheCalibrage(o);
}

std::string FormatAutomatique(double largeurPixels, double facteur, const std::string& actuel) {
    if (facteur <= 0 || largeurPixels <= 0) return actuel;
    const double x = largeurPixels * 0.001 / facteur;
    std::string f = actuel;
    if (x > 1) f = "###0";
    if (x > 10) f = "###0.0";
    if (x > 100) f = "###0.00";
    return f;
}

void DemarreCalibrage(Orvelle& o, int type) {
    auto& c = o.calibrage;
    c.TypeCalibrage = type;
    c.CalibrageEnCours = true;
    c.EtapeCalibrage = 0;
    c.segment.reset();
    c.Lecture.fill(0);
    const int lp = o.mesure.LongueurPixels;
    switch (type) {
    case CalibrageObjectif:
        Statut(o, o.textes.Msg(kMsgPointerEtalon));
        AppliqueResolution(o);
        break;
    case CalibrageGraduations:
        Statut(o, o.textes.Msg(kMsgPointerDivisions));
        o.controles.Texte(Controle::TexteSaisie, TexteNombre(lp * o.CoefCalibrage, o.Sep()));
        break;
    default:
        Statut(o, o.textes.Msg(kMsgPointerDivisions));
        o.controles.Texte(Controle::TexteSaisie, std::to_string(lp));
        break;
    }
}

void Etalonner(Orvelle& o) {
    DemarreCalibrage(o, CalibrageLongueur);
    o.controles.Couleur(Controle::Etalonner, kRouge);
}

bool CalibrageEnAttente(const Orvelle& o) {
    return o.calibrage.CalibrageEnCours;
}

void ValeurCalibrage(Orvelle& o, double) {
    auto& c = o.calibrage;
    // One segment at a time: values written while the dialogue is open are
    // ordinary measures.
    if (!c.CalibrageEnCours || c.segment) return;
    ++c.EtapeCalibrage;
    c.segment = SegmentCalibrage{o.mesure.LignePrec, o.mesure.EtapePrec, o.mesure.LongueurPixels};
    if (c.TypeCalibrage < 4) PasCalibr(o);
}

void PasCalibr(Orvelle& o) {
    auto& c = o.calibrage;
    const bool second = c.EtapeCalibrage == 2 && c.TypeCalibrage == CalibrageObjectif;
    if ((c.EtapeCalibrage != 1 && !second) || !c.segment) return;
    std::string invite;
    // A length is typed in micrometres; the other prompts ask for a count.
    bool longueur = false;
    if (second) {
        invite = o.textes.Msg(kMsgNombreDivisions);
    } else if (c.TypeCalibrage == CalibrageObjectif) {
        invite = o.textes.Msg(kMsgLongueurEtalon);
        longueur = true;
    } else if (c.TypeCalibrage == CalibrageGraduations) {
        invite = o.textes.Msg(kMsgDivisionsObjectif) +
                 TexteNombre(LitDecimal(o.controles.Texte(Controle::TexteObjectif)), o.Sep());
    } else {
        invite = o.textes.Msg(kMsgLongueur);
        longueur = true;
    }
    auto& k = o.controles;
    k.Visible(Controle::CadreSaisie, true);
    k.Couleur(Controle::TexteSaisie, kJaune);
    // Only a calibrated factor gives the segment a length worth offering.
    k.Texte(Controle::TexteSaisie,
            longueur && Calibre(o)
                ? Format(o, c.segment->longueurPixels * o.CoefCalibrage, o.parametres.fDecimal)
                : std::string());
    k.Texte(Controle::InviteSaisie, invite);
    // Beside the field: what the number typed counts, and the segment pointed in
    // pixels of the picture.
    k.Texte(Controle::UniteSaisie, longueur ? "µm" : o.textes.Mnu(mnu::Divisions));
    // The segment as the user sees it on the picture, in its pixels.
    const double parPixel = UnitesParPixelImage(o);
    k.Texte(Controle::PixelsSaisie,
            parPixel > 0 ? o.textes.Mnu(mnu::SegmentPointe) +
                               Format(o, c.segment->longueurPixels / parPixel, "###0.0") + " px"
                         : std::string());
}

void ValideSaisieCalibrage(Orvelle& o) {
    auto& c = o.calibrage;
    auto& p = o.plateforme;
    if (!c.CalibrageEnCours) {
        FinSaisie(o);
        return;
    }
    // A text that is not a number counts as 0.
    const double v = LitNombreStrict(o.controles.Texte(Controle::TexteSaisie)).value_or(0.0);
    if (v == 0) {
        p.Flash(kRefus, o.textes.Mnu(kMnuValeurInvalide), kDelaiFlash);
        RetireSegment(o);
        TermineCalibrage(o);
        p.Message("Mini 0.0001");
        o.controles.Visible(Controle::CadreSaisie, false);
        return;
    }
    if (v > kMaxi) {
        p.Message("Maxi 10000");
        return;
    }
    if (v < kMini) {
        p.Message("Mini 0.0001");
        return;
    }
    if (!c.segment || c.segment->longueurPixels <= 0) {
        Erreur(o);
        return;
    }
    const double lp = c.segment->longueurPixels;

    if (c.TypeCalibrage == CalibrageObjectif) {
        if (c.EtapeCalibrage == 1) {
            // The stage micrometer: its true length over its pixel units is the factor.
            c.Lecture[0] = lp;
            c.Lecture[1] = v;
            o.CoefCalibrage = v / lp;
            c.calibrageFait = true;
            RetireSegment(o);
            ChoisitFormat(o);
            FinSaisie(o);
            Statut(o, o.textes.Msg(kMsgPointerDivisions));
            return; // the ocular segment is awaited
        }
        // The ocular divisions, in the same pixel units as the stage micrometer.
        c.Lecture[2] = lp;
        c.Lecture[3] = v;
        if (c.Lecture[0] <= 0) {
            Erreur(o);
            return;
        }
        const double d = (c.Lecture[2] * c.Lecture[1]) / (c.Lecture[3] * c.Lecture[0]);
        RetireSegment(o);
        TermineCalibrage(o);
        p.Message(o.textes.Msg(kMsgUneDivision) + " " + Format(o, d, "###0.000"));
        FinSaisie(o);
        return;
    }

    double facteur = v / lp;
    if (c.TypeCalibrage == CalibrageGraduations) {
        // One ocular division is taken as 100 / objective micrometres.
        const auto objectif = LitNombreStrict(o.controles.Texte(Controle::TexteObjectif));
        if (!objectif || *objectif <= 0) {
            Erreur(o);
            return;
        }
        facteur = v * (100.0 / *objectif) / lp;
    }
    o.CoefCalibrage = facteur;
    c.calibrageFait = true;
    RetireSegment(o);
    TermineCalibrage(o);
    ChoisitFormat(o);
    FinSaisie(o);
}

void AnnuleSaisieCalibrage(Orvelle& o) {
    o.controles.Visible(Controle::CadreSaisie, false);
    RetireSegment(o);
    TermineCalibrage(o);
}

} // namespace orv
