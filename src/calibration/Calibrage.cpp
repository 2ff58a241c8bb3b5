#include "calibration/Calibrage.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Vue.h"
#include "interface/Messages.h"
#include "measure/EtatMesure.h"

#include <cstdint>
#include <initializer_list>

namespace orv {

namespace {

constexpr std::uint32_t kRouge = 0x0000FF;
constexpr std::uint32_t kJaune = 0x00FFFF;
constexpr std::uint32_t kRefus = 0xC0C0FF; // back colour of the refusal notice
constexpr int kDelaiFlash = 2;
constexpr double kMaxi = 10000;
constexpr double kMini = 0.0001;

bool DansTable(const EtatCalibrage& c, int slot) {
    return slot >= 0 && slot < static_cast<int>(c.CalibrageImage.size());
}

// The calibration is over: nothing pending, "Etalonner" back to its colour,
// the magnifier button back if the calibration took it.
void TermineCalibrage(Interface& ui, EtatCalibrage& c) {
    c.CalibrageEnCours = false;
    c.segment.reset();
    ui.controles.Couleur(Controle::Etalonner, std::nullopt);
    if (c.loupeCoupee) {
        ui.controles.Actif(Controle::Loupe, true);
        c.loupeCoupee = false;
    }
}

// The grid value that the calibration segment became, and only that: its
// whole line when it opened the line, otherwise the value itself while it is
// still the last one entered. The caller takes it out of the grid.
RetraitSegment RetireSegment(EtatCalibrage& c, const EtatMesure& m) {
    RetraitSegment r;
    if (!c.segment) return r;
    const SegmentCalibrage s = *c.segment;
    c.segment.reset();
    if (m.GrilleRef.Texte(s.ligne, s.etape).empty()) return r; // already gone
    if (s.etape == 1) {
        const bool ligneExiste =
            s.ligne < m.LigneCourante || (s.ligne == m.LigneCourante && m.Etape > 1);
        if (ligneExiste) r.genre = RetraitSegment::Genre::Ligne;
    } else {
        const bool derniere = (m.LigneCourante == s.ligne && m.Etape == s.etape + 1) ||
                              (m.LigneCourante == s.ligne + 1 && m.Etape == 1);
        if (derniere) r.genre = RetraitSegment::Genre::Arriere;
    }
    r.ligne = s.ligne;
    // The segment is no measure: its marks leave the picture with its value.
    r.retrace = true;
    return r;
}

// A validated factor: shown, kept for the image, and the dialogue closed.
void FinSaisie(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im) {
    AfficheCalibrage(ui, c, p, im);
    if (DansTable(c, im.slot)) c.CalibrageImage[static_cast<size_t>(im.slot)] = c.CoefCalibrage;
    ui.FermeCadre(Controle::CadreSaisie);
}

void ChoisitFormat(const EtatCalibrage& c, Parametres& p, ImageMontree im) {
    if (!p.decimAuto) return;
    p.fDecimal = FormatAutomatique(im.largeurPixels, c.CoefCalibrage, p.fDecimal);
}

// What cannot be computed (a segment of no length, no objective): said, and
// the calibration ends without changing the factor.
RetraitSegment Erreur(Interface& ui, EtatCalibrage& c, const EtatMesure& m) {
    ui.plateforme.Message(ui.Msg(msg::Alerte) + "99");
    const RetraitSegment r = RetireSegment(c, m);
    TermineCalibrage(ui, c);
    ui.FermeCadre(Controle::CadreSaisie);
    return r;
}

std::string Format(const Interface& ui, double v, const std::string& motif) {
    return FormatNombre(v, motif, ui.Sep());
}

// The text of a refusal of the graduation finder; 0 when there is none.
int TexteRefus(GraduationsTrouvees::Refus r) {
    using R = GraduationsTrouvees::Refus;
    switch (r) {
    case R::Aucun:
        return 0;
    case R::SansImage:
        return mnu::PeriodeSansImage;
    case R::HorsImage:
        return mnu::PeriodeHorsImage;
    case R::PasDePeriode:
        return mnu::PeriodeAbsente;
    case R::LigneCourte:
        return mnu::PeriodeLigneCourte;
    }
    return mnu::PeriodeAbsente;
}

// `modele` with %1, %2... replaced by the values, in order.
std::string Remplit(std::string modele, std::initializer_list<std::string> valeurs) {
    int i = 0;
    for (const std::string& v : valeurs) {
        const std::string marque = "%" + std::to_string(++i);
        if (const auto k = modele.find(marque); k != std::string::npos)
            modele.replace(k, marque.size(), v);
    }
    return modele;
}

} // namespace

bool Calibre(const EtatCalibrage& c) {
    return c.calibrageFait || c.CoefCalibrage != 1.0;
}

double UnitesParPixelImage(bool indPres, int largeurPixels) {
    if (largeurPixels <= 0) return 0;
    return LargeurReference * FacteurResolutionCourant(indPres, largeurPixels) / largeurPixels;
}

double MicronsParPixelImage(const EtatCalibrage& c, bool indPres, int largeurPixels) {
    return c.CoefCalibrage * UnitesParPixelImage(indPres, largeurPixels);
}

void AfficheCalibrage(Interface& ui, const EtatCalibrage& c, const Parametres& p, ImageMontree im) {
    std::string texte = ui.Msg(msg::Cal) + Format(ui, c.CoefCalibrage, "###0.0000");
    // Beside the factor while it was neither made nor loaded: lengths are then
    // pixel units, not micrometres.
    if (!Calibre(c)) texte += "  " + ui.Mnu(mnu::NonCalibre);
    // What users check against their objective: micrometres per pixel of the picture.
    if (const double um = MicronsParPixelImage(c, p.indPres, im.largeurPixels); um > 0)
        texte += "\n" + Format(ui, um, "###0.0000") + " µm/px";
    ui.controles.Texte(Controle::LegendeCalibrage, texte);
}

void FixeCalibrage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
                   double facteur) {
    c.CoefCalibrage = facteur;
    c.calibrageFait = true;
    if (DansTable(c, im.slot)) c.CalibrageImage[static_cast<size_t>(im.slot)] = facteur;
    AfficheCalibrage(ui, c, p, im);
}

void MontreCalibrageImage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im) {
    if (!DansTable(c, im.slot)) return;
    c.CoefCalibrage = c.CalibrageImage[static_cast<size_t>(im.slot)];
    AfficheCalibrage(ui, c, p, im);
}

void CalibrageNouvelleImage(EtatCalibrage& c, int slot) {
    if (!DansTable(c, slot)) return;
    c.CalibrageImage[static_cast<size_t>(slot)] = c.CoefCalibrage;
}

double FacteurResolutionCourant(bool indPres, int largeurPixels) {
    if (indPres) return 1.0;
    // Without a picture a factor of 0 would make every length 0.
    return largeurPixels > 0 ? largeurPixels * 0.001 : 1.0;
}

void AppliqueResolution(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im) {
    c.FacteurResolution = FacteurResolutionCourant(p.indPres, im.largeurPixels);
    // The micrometres per picture pixel follow the picture and the mode.
    AfficheCalibrage(ui, c, p, im);
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

void DemarreCalibrage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
                      int longueurPixels, ProcedureCalibrage type) {
    c.TypeCalibrage = type;
    c.CalibrageEnCours = true;
    c.EtapeCalibrage = 0;
    c.segment.reset();
    c.Lecture.fill(0);
    switch (type) {
    case ProcedureCalibrage::Objectif:
        ui.Statut(ui.Msg(msg::PointerEtalon));
        AppliqueResolution(ui, c, p, im);
        break;
    case ProcedureCalibrage::Graduations:
        ui.Statut(ui.Msg(msg::PointerDivisions));
        ui.controles.Texte(Controle::TexteSaisie,
                           TexteNombre(longueurPixels * c.CoefCalibrage, ui.Sep()));
        break;
    case ProcedureCalibrage::Longueur:
        ui.Statut(ui.Msg(msg::PointerDivisions));
        ui.controles.Texte(Controle::TexteSaisie, std::to_string(longueurPixels));
        break;
    case ProcedureCalibrage::Periode:
        ui.Statut(ui.Mnu(mnu::TirerEchelle));
        break;
    }
}

void Etalonner(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
               int longueurPixels) {
    DemarreCalibrage(ui, c, p, im, longueurPixels, ProcedureCalibrage::Longueur);
    ui.controles.Couleur(Controle::Etalonner, kRouge);
}

bool CalibrageEnAttente(const EtatCalibrage& c) {
    return c.CalibrageEnCours;
}

bool AttendSegment(const EtatCalibrage& c) {
    // One segment at a time: values written while the dialogue is open are
    // ordinary measures.
    return c.CalibrageEnCours && !c.segment;
}

void ValeurCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m, const Parametres& p,
                     ImageMontree im, const std::string& objectif) {
    // A segment dragged along a scale waits for what was found along it (PeriodeCalibrage).
    if (!AttendSegment(c) || c.TypeCalibrage == ProcedureCalibrage::Periode) return;
    ++c.EtapeCalibrage;
    c.segment = SegmentCalibrage{m.LignePrec, m.EtapePrec, m.LongueurPixels};
    PasCalibr(ui, c, p, im, objectif);
}

void PasCalibr(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
               const std::string& objectif) {
    const bool second = c.EtapeCalibrage == 2 && c.TypeCalibrage == ProcedureCalibrage::Objectif;
    if ((c.EtapeCalibrage != 1 && !second) || !c.segment) return;
    std::string invite;
    // A length is typed in micrometres; the other prompts ask for a count.
    bool longueur = false;
    if (second) {
        invite = ui.Msg(msg::NombreDivisions);
    } else if (c.TypeCalibrage == ProcedureCalibrage::Objectif) {
        invite = ui.Msg(msg::LongueurEtalon);
        longueur = true;
    } else if (c.TypeCalibrage == ProcedureCalibrage::Graduations) {
        invite = ui.Msg(msg::DivisionsObjectif) + TexteNombre(LitDecimal(objectif), ui.Sep());
    } else {
        invite = ui.Msg(msg::EntrerLongueur);
        longueur = true;
    }
    auto& k = ui.controles;
    ui.OuvreCadre(Controle::CadreSaisie, ProprietaireCadre::Calibrage);
    k.Couleur(Controle::TexteSaisie, kJaune);
    // Only a calibrated factor gives the segment a length worth offering.
    k.Texte(Controle::TexteSaisie,
            longueur && Calibre(c)
                ? Format(ui, c.segment->longueurPixels * c.CoefCalibrage, p.fDecimal)
                : std::string());
    k.Texte(Controle::InviteSaisie, invite);
    // Beside the field: what the number typed counts, and the segment pointed in
    // pixels of the picture.
    k.Texte(Controle::UniteSaisie, longueur ? "µm" : ui.Mnu(mnu::Divisions));
    // The segment as the user sees it on the picture, in its pixels.
    const double parPixel = UnitesParPixelImage(p.indPres, im.largeurPixels);
    k.Texte(Controle::PixelsSaisie,
            parPixel > 0 ? ui.Mnu(mnu::SegmentPointe) +
                               Format(ui, c.segment->longueurPixels / parPixel, "###0.0") + " px"
                         : std::string());
}

RetraitSegment PeriodeCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m,
                                ImageMontree im, const GraduationsTrouvees& g) {
    if (!AttendSegment(c) || c.TypeCalibrage != ProcedureCalibrage::Periode) return {};
    ++c.EtapeCalibrage;
    // The period becomes pixel units by the rule of every pointed length
    // (Vue::UnitesPixels), on the picture it was found on: a fixed fraction
    // of its width, times the resolution factor the measures use.
    const double unites = im.largeurPixels > 0 ? g.periodePixels / im.largeurPixels *
                                                     LargeurReference * c.FacteurResolution
                                               : 0;
    c.segment = SegmentCalibrage{m.LignePrec, m.EtapePrec, m.LongueurPixels, unites};
    int refus = TexteRefus(g.refus);
    if (!refus && im.largeurPixels <= 0) refus = mnu::PeriodeSansImage;
    if (!refus && !(unites > 0)) refus = mnu::PeriodeAbsente;
    if (refus) {
        // The segment was no scale: it leaves the grid, the factor stays.
        const RetraitSegment r = RetireSegment(c, m);
        TermineCalibrage(ui, c);
        ui.plateforme.Message(ui.Mnu(refus) + std::string(FinDeLigne) +
                              ui.Mnu(mnu::PeriodeFacteurGarde));
        return r;
    }
    auto& k = ui.controles;
    ui.OuvreCadre(Controle::CadreSaisie, ProprietaireCadre::Calibrage);
    k.Couleur(Controle::TexteSaisie, kJaune);
    k.Texte(Controle::TexteSaisie, TexteNombre(c.DivisionMicrons, ui.Sep()));
    // What was found, in the picture's pixels: how many divisions the factor
    // rests on, and how regular they were.
    k.Texte(Controle::InviteSaisie,
            Remplit(ui.Mnu(mnu::PeriodeTrouvee),
                    {std::to_string(g.divisions), Format(ui, g.periodePixels, "0.00"),
                     Format(ui, g.dispersion, "0.00")}));
    k.Texte(Controle::UniteSaisie, "µm");
    k.Texte(Controle::PixelsSaisie, ui.Mnu(mnu::ParDivision));
    return {};
}

RetraitSegment ValideSaisieCalibrage(Interface& ui, EtatCalibrage& c, Parametres& p,
                                     const EtatMesure& m, ImageMontree im,
                                     const std::string& saisie, const std::string& objectif) {
    auto& pf = ui.plateforme;
    if (!c.CalibrageEnCours) {
        FinSaisie(ui, c, p, im);
        return {};
    }
    // A text that is not a number counts as 0.
    const double v = LitNombreStrict(saisie).value_or(0.0);
    if (v == 0) {
        pf.Flash(kRefus, ui.Mnu(mnu::ValeurInvalide), kDelaiFlash);
        const RetraitSegment r = RetireSegment(c, m);
        TermineCalibrage(ui, c);
        pf.Message("Mini 0.0001");
        ui.FermeCadre(Controle::CadreSaisie);
        return r;
    }
    if (v > kMaxi) {
        pf.Message("Maxi 10000");
        return {};
    }
    if (v < kMini) {
        pf.Message("Mini 0.0001");
        return {};
    }
    if (!c.segment || c.segment->longueurPixels <= 0) return Erreur(ui, c, m);
    const double lp = c.segment->longueurPixels;

    if (c.TypeCalibrage == ProcedureCalibrage::Objectif) {
        if (c.EtapeCalibrage == 1) {
            // The stage micrometer: its true length over its pixel units is the factor.
            c.Lecture[0] = lp;
            c.Lecture[1] = v;
            c.CoefCalibrage = v / lp;
            c.calibrageFait = true;
            const RetraitSegment r = RetireSegment(c, m);
            ChoisitFormat(c, p, im);
            FinSaisie(ui, c, p, im);
            ui.Statut(ui.Msg(msg::PointerDivisions));
            return r; // the ocular segment is awaited
        }
        // The ocular divisions, in the same pixel units as the stage micrometer.
        c.Lecture[2] = lp;
        c.Lecture[3] = v;
        if (c.Lecture[0] <= 0) return Erreur(ui, c, m);
        const double d = (c.Lecture[2] * c.Lecture[1]) / (c.Lecture[3] * c.Lecture[0]);
        const RetraitSegment r = RetireSegment(c, m);
        TermineCalibrage(ui, c);
        pf.Message(ui.Msg(msg::UneDivision) + " " + Format(ui, d, "###0.000"));
        FinSaisie(ui, c, p, im);
        return r;
    }

    double facteur = v / lp;
    if (c.TypeCalibrage == ProcedureCalibrage::Periode) {
        // One division over the period in pixel units: the factor rests on
        // every division found, not on where two clicks fell.
        if (!(c.segment->periodeUnites > 0)) return Erreur(ui, c, m);
        facteur = v / c.segment->periodeUnites;
        c.DivisionMicrons = v;
    } else if (c.TypeCalibrage == ProcedureCalibrage::Graduations) {
        // One ocular division is taken as 100 / objective micrometres.
        const auto obj = LitNombreStrict(objectif);
        if (!obj || *obj <= 0) return Erreur(ui, c, m);
        facteur = v * (100.0 / *obj) / lp;
    }
    c.CoefCalibrage = facteur;
    c.calibrageFait = true;
    const RetraitSegment r = RetireSegment(c, m);
    TermineCalibrage(ui, c);
    ChoisitFormat(c, p, im);
    FinSaisie(ui, c, p, im);
    return r;
}

RetraitSegment AnnuleSaisieCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m) {
    ui.FermeCadre(Controle::CadreSaisie);
    const RetraitSegment r = RetireSegment(c, m);
    TermineCalibrage(ui, c);
    return r;
}

} // namespace orv
