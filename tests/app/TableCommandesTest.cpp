// The one table of commands: every menu entry the window offers has one
// owner, and no control has two.
#include "app/TableCommandes.h"
#include "app/Fenetre.h"
#include "interface/TableControles.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

TEST(TableCommandes, UnProprietaireParControle) {
    std::set<Controle> vus;
    for (const LigneCommande& l : TableCommandes())
        for (Controle c : l.famille ? MemeFamille(l.controle) : std::vector<Controle>{l.controle})
            EXPECT_TRUE(vus.insert(c).second)
                << Description(c).famille << " " << Description(c).index;

    // Every menu entry that is not a submenu's head and has work behind it.
    test::PlateformeFactice p;
    Orvelle o(p, "");
    Demarrage(o);
    std::set<Controle> tetes;
    for (const auto& d : TableControles()) tetes.insert(d.parent);
    for (const auto& d : TableControles()) {
        if (d.genre != Genre::Element && d.genre != Genre::Contextuel) continue;
        if (tetes.count(d.controle) || !o.controles(d.controle).disponible) continue;
        EXPECT_TRUE(CommandeDe(d.controle) || FenetreSeule(d.controle))
            << d.famille << " " << d.index << " \"" << d.texte << "\" has no owner";
    }
}

} // namespace
} // namespace orv
