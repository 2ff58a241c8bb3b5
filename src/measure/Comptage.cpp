// Counting ("Comptage-1", "Comptage-2") and the counting stage of a density:
// a left press counts one and marks the point, a right press validates the
// count. A press counts only while armed, and only a release re-arms: one
// physical click counts once, however the press is routed.
#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "measure/ComportementPointage.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Counts are clicks: far below this bound, within which no sum overflows,
// whatever the counter box was made to hold.
constexpr long kCompteMax = 1'000'000'000;

long CompteAffiche(const Orvelle& o) {
    const auto n = LitEntierStrict(o.controles.Texte(Controle::TexteComptage));
    return n ? std::clamp(*n, 0L, kCompteMax) : 0;
}

void Invite(Orvelle& o, const std::string& texte) {
    o.textes.Fixe(Table::MSG, 55, texte);
    Statut(o, texte);
}

void Valide(Orvelle& o) {
    auto& m = o.mesure;
    auto& p = o.pointage;
    const long n = CompteAffiche(o);
    const int ligne = m.LigneCourante;
    std::optional<SegmentTrace> points;
    if (p.premierCompte) points = Segment(*p.premierCompte, *p.dernierCompte);
    p.premierCompte.reset();
    p.dernierCompte.reset();
    const auto& t = o.textes;

    if (m.ModeDensite) {
        const double s = m.ValeursMesure[1];
        if (!EcritValeur(o, static_cast<double>(n), points)) return;
        // The line's last value; its "Nb/L" follows from it.
        if (!EcritValeur(o, s > 0 ? n / s : 0.0, std::nullopt)) return;
        Statut(o, t.Msg(72));
    } else if (m.NumFonction == 11 && m.Etape == 1) {
        if (!EcritValeur(o, static_cast<double>(n), points)) return;
        Invite(o, t.Msg(202) + t.Msg(203)); // class B
    } else if (m.NumFonction == 11) {
        const long a =
            std::lround(std::clamp(m.ValeursMesure[1], 0.0, static_cast<double>(kCompteMax)));
        if (!EcritValeur(o, static_cast<double>(n), points)) return;
        // A + 2B as a whole number; computed wide, so that no count overflows.
        EcritCellule(o, ligne, 3, std::to_string(a + 2 * n));
        Invite(o, t.Msg(202) + t.Msg(204)); // class A again
    } else {
        if (!EcritValeur(o, static_cast<double>(n), points)) return;
    }
    o.controles.Texte(Controle::TexteComptage, "0");
}

class Comptage final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        if (!p.ClicArme) return;
        p.ClicArme = false;
        if (e.bouton == Bouton::Droit) {
            Valide(o);
            return;
        }
        if (e.bouton != Bouton::Gauche) return;
        const bool densite = o.mesure.ModeDensite;
        o.controles.Texte(Controle::TexteComptage, std::to_string(CompteAffiche(o) + 1));
        // The count is the line's value 1 (class A) or 2 (class B, density count).
        const int valeur = densite ? 2 : o.mesure.Etape;
        MarqueEnCours(o, MarqueCroix(e.image, valeur == 1 ? 1 : 2), valeur);
        if (!p.premierCompte) p.premierCompte = e.image;
        p.dernierCompte = e.image;
        if (!densite) Statut(o, o.textes.Msg(207));
    }

    void Relache(Orvelle& o, const EvenementImage&) const override { o.pointage.ClicArme = true; }
};

} // namespace

const ComportementPointage& PointageComptage() {
    static const Comptage c;
    return c;
}

} // namespace orv
