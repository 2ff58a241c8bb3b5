// Counting ("Comptage-1", "Comptage-2") and the counting stage of a density:
// a left press counts one and marks the point, a right press validates the
// count. A press counts only while armed, and only a release re-arms: one
// physical click counts once, however the press is routed.
#include "base/Nombres.h"
#include "interface/Messages.h"
#include "measure/ComportementPointage.h"
#include "measure/Grille.h"
#include "measure/NumerosFonctions.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Counts are clicks: far below this bound, within which no sum overflows,
// whatever the counter box was made to hold.
constexpr long kCompteMax = 1'000'000'000;

long CompteAffiche(const ActionPointage& a) {
    return std::clamp(a.m.pointage.compte, 0L, kCompteMax);
}

void Invite(ActionPointage& a, const std::string& texte) {
    a.ui.textes.Fixe(Table::MSG, msg::InviteFonction, texte);
    a.ui.Statut(texte);
}

void Valide(ActionPointage& a) {
    auto& m = a.m;
    auto& p = a.m.pointage;
    const long n = CompteAffiche(a);
    const int ligne = m.LigneCourante;
    std::optional<SegmentTrace> points;
    if (p.premierCompte) points = Segment(*p.premierCompte, *p.dernierCompte);
    p.premierCompte.reset();
    p.dernierCompte.reset();
    const auto& t = a.ui.textes;

    if (m.ModeDensite) {
        const double s = m.ValeursMesure[1];
        if (!EcritValeur(a, static_cast<double>(n), points)) return;
        // The line's last value; its "Nb/L" follows from it.
        if (!EcritValeur(a, s > 0 ? n / s : 0.0, std::nullopt)) return;
        a.ui.Statut(t.Msg(msg::MarquerSurface));
    } else if (m.NumFonction == fonction::Comptage2 && m.Etape == 1) {
        if (!EcritValeur(a, static_cast<double>(n), points)) return;
        Invite(a, t.Msg(msg::Marquer) + t.Msg(msg::BossesInternes)); // class B
    } else if (m.NumFonction == fonction::Comptage2) {
        const long classeA =
            std::lround(std::clamp(m.ValeursMesure[1], 0.0, static_cast<double>(kCompteMax)));
        if (!EcritValeur(a, static_cast<double>(n), points)) return;
        // A + 2B as a whole number; computed wide, so that no count overflows.
        EcritCellule(a.m, ligne, 3, std::to_string(classeA + 2 * n));
        Invite(a, t.Msg(msg::Marquer) + t.Msg(msg::BossesExternes)); // class A again
    } else {
        if (!EcritValeur(a, static_cast<double>(n), points)) return;
    }
    FixeCompte(a.ui, a.m, 0);
}

class Comptage final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        auto& p = a.m.pointage;
        if (!p.ClicArme) return;
        p.ClicArme = false;
        if (e.bouton == Bouton::Droit) {
            Valide(a);
            return;
        }
        if (e.bouton != Bouton::Gauche) return;
        const bool densite = a.m.ModeDensite;
        FixeCompte(a.ui, a.m, CompteAffiche(a) + 1);
        // The count is the line's value 1 (class A) or 2 (class B, density count).
        const int valeur = densite ? 2 : a.m.Etape;
        MarqueEnCours(a.m, MarqueCroix(e.image, valeur == 1 ? 1 : 2), valeur);
        if (!p.premierCompte) p.premierCompte = e.image;
        p.dernierCompte = e.image;
        if (!densite) a.ui.Statut(a.ui.Msg(msg::ValiderCompte));
    }

    void Relache(ActionPointage& a, const EvenementImage&) const override {
        a.m.pointage.ClicArme = true;
    }
};

} // namespace

const ComportementPointage& PointageComptage() {
    static const Comptage c;
    return c;
}

} // namespace orv
