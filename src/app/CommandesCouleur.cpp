#include "app/CommandesCouleur.h"

#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "colour/FichierCouleur.h"
#include "colour/ZoneCouleur.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "measure/CommentaireLigne.h"
#include "measure/Grille.h"
#include "measure/OutilsPointage.h"
#include "results/ExportCSV.h"

#include <cmath>

namespace orv {

namespace {

std::int32_t VersUnites(int pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * UnitesImageParPixel));
}

// The zone's corners in picture units.
SegmentTrace Coins(const ZonePixels& z) {
    return {VersUnites(z.x), VersUnites(z.y), VersUnites(z.x + z.largeur),
            VersUnites(z.y + z.hauteur)};
}

ZonePixels ZoneAuPoint(const Orvelle& o, PointImage p) {
    const Vue& v = o.images.vue;
    return ZoneEchantillon(o.couleur.TailleZone, p.x / UnitesImageParPixel,
                           p.y / UnitesImageParPixel, v.LargeurPixels(), v.HauteurPixels());
}

std::string IdMachine(const Orvelle& o) {
    if (o.couleur.texteIdMachine) return *o.couleur.texteIdMachine;
    const auto lignes = LitLignesFichier(FichierIdMachine);
    return lignes && !lignes->empty() ? lignes->front() : std::string();
}

ContenuCouleur Contenu(Orvelle& o) {
    const auto& g = o.mesure.GrilleRef;
    ContenuCouleur c;
    const Horodatage h = HorodatageExport(o.resultats.exportCSV);
    c.date = h.date;
    c.heure = h.heure;
    c.notes = o.controles.Texte(Controle::TexteCommentaire);
    for (int col = 0; col < g.Colonnes(); ++col) c.entetes.push_back(g.Texte(0, col));
    for (int l = 1; l < o.mesure.LigneCourante && l < g.Lignes(); ++l) {
        std::vector<std::string> ligne;
        for (int col = 0; col < g.Colonnes(); ++col) ligne.push_back(g.Texte(l, col));
        c.lignes.push_back(std::move(ligne));
    }
    c.identifiant = IdentifiantMachine(IdMachine(o));
    return c;
}

void Notes(Orvelle& o, bool nuancier) {
    // The dialog serves one purpose at a time.
    if (o.mesure.commentaire.Ouvert()) FermeCommentaire(o.ui, o.mesure);
    QuitteModeExport(o.ui, o.resultats);
    const std::string& image = o.images.cheminImage;
    PrepareNotes(o.ui, o.couleur, nuancier, o.mesure.LigneCourante - 1, MesureEnCours(o.mesure),
                 image.empty() ? std::string() : NomFichierImage(image));
}

} // namespace

void ValideNotesCouleur(Orvelle& o) {
    const bool scanner = o.couleur.ModeScanner;
    const auto nom = EcritFichierCouleur(o.ui, o.couleur, o.dossierProgramme, Contenu(o));
    if (nom && scanner) {
        o.parametres.ficScanner = *nom;
        SauveParametres(o);
    }
}

std::optional<Echantillon> EchantillonImage(Orvelle& o, const std::string& chemin,
                                            TailleImage taille, double xPixel, double yPixel) {
    const int cote = o.couleur.TailleZone;
    const ZonePixels z = ZoneEchantillon(cote, xPixel, yPixel, taille.largeur, taille.hauteur);
    if (z.Vide()) return std::nullopt;
    const auto pixels = o.plateforme.LitZoneImage(chemin, z);
    if (!pixels || pixels->rvb.empty()) {
        o.plateforme.Message(o.textes.Mnu(mnu::CouleursIlisibles) + chemin, {}, Icone::Exclamation);
        return std::nullopt;
    }
    return Echantillonne(*pixels, cote);
}

void EchantillonneCouleur(Orvelle& o, PointImage p) {
    const Vue& v = o.images.vue;
    if (!v.ImageChargee()) return;
    const std::string chemin =
        o.images.cheminImage.empty() ? CheminImageParDefaut(o) : o.images.cheminImage;
    const auto e = EchantillonImage(o, chemin, {v.LargeurPixels(), v.HauteurPixels()},
                                    p.x / UnitesImageParPixel, p.y / UnitesImageParPixel);
    if (!e) return;
    const SegmentTrace coins = Coins(ZoneAuPoint(o, p));
    const PointImage a{coins.x1, coins.y1}, b{coins.x2, coins.y2};
    std::vector<MarqueTrace> marques{{1, {GenreMarque::Rectangle, a, b, 1, {}}},
                                     {1, MarqueTexte(a, {}, RoleNumero)}};
    const auto cellules = CellulesEchantillon(*e, o.Sep());
    SauvegardeTrame sauvegarde(o);
    const ResultatAjout r =
        AjouteLigne(o.ui, o.mesure, o.parametres, &sauvegarde, o.images.IndexImage,
                    {cellules.begin(), cellules.end()}, std::move(marques));
    if (!r.Ecrite()) return;
    o.couleur.dernier = e;
    // The grid file keeps the zone's corners: its marks come back with the line.
    o.mesure.TraceLignes[static_cast<size_t>(r.ligne)].segments[1] = coins;
    if (o.resultats.statistiquesAffichees) RecalculeStatistiques(o);
}

void ApercuZoneCouleur(Orvelle& o, PointTwips p) {
    if (o.mesure.NumFonction != fonction::Couleur || !o.images.vue.ImageChargee()) return;
    if (o.mesure.pointage.GlisseImage) return;
    const ZonePixels z = ZoneAuPoint(o, o.images.vue.VersImage(p));
    if (z.Vide()) {
        Provisoires(o.mesure, {});
        return;
    }
    const SegmentTrace c = Coins(z);
    Provisoires(o.mesure, {{GenreMarque::Rectangle, {c.x1, c.y1}, {c.x2, c.y2}, 1, {}}});
}

void InstalleCouleur(Orvelle& o) {
    o.couleur.Calibre = false;
    o.controles.Coche(Controle::CaseCalibre, false);
    o.controles.Actif(Controle::CaseCalibre, false);
    o.couleur.NomFichierScanner = o.parametres.ficScanner;
    ChoisitTailleZone(o.ui, o.couleur, o.parametres.zoneCouleur);
}

void MontreCouleur(Orvelle& o) {
    MontreModeCouleur(o.ui, o.couleur, o.mesure.NumFonction == fonction::Couleur);
}

void QuitteNotesCouleur(Orvelle& o) {
    if (o.couleur.NotesOuvertes()) FermeNotes(o.ui, o.couleur);
}

void CommandeCouleur(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::DefilementZoneCouleur:
        DefileTailleZone(
            o.ui, o.couleur,
            static_cast<int>(LitDecimal(o.controles.Texte(Controle::DefilementZoneCouleur))));
        o.parametres.zoneCouleur = o.couleur.IndexZone;
        return;
    case Controle::CaseCalibre:
        o.couleur.Calibre = o.controles(Controle::CaseCalibre).coche;
        return;
    case Controle::SauverNuancier:
    case Controle::ValiderCalibrageScanner:
        Notes(o, c == Controle::SauverNuancier);
        return;
    case Controle::ChargerFichierScanner:
        ModeNonCalibre(o.ui, o.couleur);
        return;
    default:
        break;
    }
}

} // namespace orv
