#include "app/SessionParametres.h"

#include "app/FichierParametres.h"
#include "app/Langue.h"
#include "app/MenuOptions.h"
#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/FichiersRefuses.h"
#include "interface/Messages.h"

namespace orv {

namespace {

ContexteParametres Contexte(const Orvelle& o) {
    return {o.textes.Msg(139), o.dossierProgramme, o.Sep()};
}

void MontreParametres(Orvelle& o, const Parametres& avant, const LectureParametres& lu) {
    Parametres& p = o.parametres;
    Controles& c = o.controles;

    c.Coche(Controle::OptionIndDim, !p.indPres);
    c.Coche(Controle::OptionIndRes, p.indPres);
    SelectionneModePointage(o, p.modePointage);
    c.Coche(Controle::CaseIgnorerBienvenue, p.avert);
    c.Coche(Controle::CaseAccroche, p.accrocheBord);
    if (p.avert) c.Visible(Controle::CadreBienvenue, false);

    if (lu.cles.count("FONCTION_DEMARRAGE")) o.mesure.NumFonction = p.fonctionDemarrage;
    if (lu.cles.count("FICSCANNER"))
        c.Texte(Controle::LegendeScanner, o.textes.Mnu(mnu::Scanner) + p.ficScanner);

    // The format goes through its menu, which refuses the disabled formats.
    const int format = p.extImg;
    p.extImg = avant.extImg;
    ClicFormatImage(o, format);
    ClicZoneCouleur(o, p.zoneCouleur);
    CocheMenusOptions(o);

    o.calibrage.CoefCalibrage = p.calibrage;
    o.calibrage.CalibrageImage[0] = p.calibrage;
}

} // namespace

std::string CheminParametres(const Orvelle& o) {
    return o.dossierProgramme + "/" + std::string(NomFichierParametres);
}

bool LitParametres(Orvelle& o) {
    Parametres& p = o.parametres;
    if (p.repImage.empty()) p.repImage = o.dossierProgramme;
    if (p.repData.empty()) p.repData = o.dossierProgramme;
    const Parametres avant = p;
    const std::string chemin = CheminParametres(o);

    DefautLecture defaut = DefautLecture::Aucun;
    const auto lu = LitFichierParametres(chemin, p, &defaut);
    if (!lu && defaut != DefautLecture::Absent) {
        // Something else stands in the settings' place: said, the defaults
        // used, and nothing written over it.
        o.plateforme.Message(TexteFichierNonLu(o.textes, chemin, defaut, LimiteFichierTexte), {},
                             Icone::Exclamation);
        MontreParametres(o, avant, {});
        return false;
    }
    if (!lu) {
        p.repData = o.dossierProgramme;
        // A first start speaks the desktop's language when the program has it.
        if (!o.langue.bureau.empty() && FichierLangueTrouve(o, o.langue.bureau))
            p.langue = o.langue.bureau;
        MontreParametres(o, avant, {});
        // Created silently: a folder where it cannot be written is noticed at
        // the first explicit save.
        EcritFichierParametres(chemin, ParametresAEcrire(o), Contexte(o));
        return false;
    }
    MontreParametres(o, avant, *lu);
    return true;
}

Parametres ParametresAEcrire(const Orvelle& o) {
    Parametres p = o.parametres;
    const Controles& c = o.controles;
    p.avert = c(Controle::CaseIgnorerBienvenue).coche;
    p.autoRetrace = c(Controle::CaseAutoRetrace).coche;
    p.modePointage = c(Controle::OptionPalmer).coche ? 2 : 1;
    p.accrocheBord = c(Controle::CaseAccroche).coche;
    // The factor in use: a calibration made today is there at the next start.
    p.calibrage = o.calibrage.CoefCalibrage;
    return p;
}

Ecriture SauveParametres(Orvelle& o) {
    Ecriture e = EcritFichierParametres(CheminParametres(o), ParametresAEcrire(o), Contexte(o));
    if (!e)
        o.plateforme.Message(o.textes.Msg(144) + std::string(FinDeLigne) + e.erreur, {},
                             Icone::Exclamation);
    return e;
}

} // namespace orv
