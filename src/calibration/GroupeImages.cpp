#include "calibration/GroupeImages.h"

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/Marques.h"

#include <algorithm>
#include <cstdint>

namespace orv {

namespace {

constexpr std::uint32_t kRefus = 0xC0C0FF;
constexpr int kDelaiFlash = 2;

// Message numbers of the text table.
constexpr int kMsgPanneauGroupe = 68;
constexpr int kMsgContinuer = 106;
constexpr int kMsgMesureInachevee = 178;
constexpr int kMsgGroupeVide = 200;
constexpr int kMsgAppliquerGroupe = 201;

bool DansTable(int index) {
    return index >= 0 && index < SlotsGroupe;
}

// The loader items selected: the multiple selection, else the single one.
std::vector<int> SelectionChargeur(const EtatChargeur& ch) {
    if (!ch.selectionMultiple.empty()) return ch.selectionMultiple;
    return ch.selection >= 0 ? std::vector<int>{ch.selection} : std::vector<int>{};
}

void Ajoute(Orvelle& o, int index, const std::string& chemin) {
    auto& g = o.groupe;
    if (!DansTable(index) || g.EstDansGroupe[static_cast<size_t>(index)]) return;
    g.ListImgMC.push_back(chemin);
    g.ListImgIdx.push_back(index);
    g.EstDansGroupe[static_cast<size_t>(index)] = true;
}

void VideListes(Orvelle& o) {
    o.groupe.ListImgMC.clear();
    o.groupe.ListImgIdx.clear();
    o.groupe.selection = -1;
}

void RetireLigne(Orvelle& o, int ligne) {
    auto& g = o.groupe;
    if (ligne < 0 || ligne >= static_cast<int>(g.ListImgMC.size())) return;
    const int index = g.ListImgIdx[static_cast<size_t>(ligne)];
    if (DansTable(index)) g.EstDansGroupe[static_cast<size_t>(index)] = false;
    g.ListImgMC.erase(g.ListImgMC.begin() + ligne);
    g.ListImgIdx.erase(g.ListImgIdx.begin() + ligne);
    g.selection = -1;
}

} // namespace

void BasculePanneauGroupe(Orvelle& o) {
    auto& k = o.controles;
    if (k(Controle::CadreGroupe).visible) {
        k.Visible(Controle::CadreGroupe, false);
        return;
    }
    k.Visible(Controle::CadreGroupe, true);
    k.Texte(Controle::BarreEtat, o.textes.Msg(kMsgPanneauGroupe));
}

void BoutMC_Click(Orvelle& o, int index) {
    auto& g = o.groupe;
    switch (index) {
    case 0: {
        const auto& chemins = o.images.chargeur.ListIMGchar;
        auto choisis = SelectionChargeur(o.images.chargeur);
        std::sort(choisis.begin(), choisis.end());
        for (int i : choisis)
            if (i >= 0 && i < static_cast<int>(chemins.size()))
                Ajoute(o, i, chemins[static_cast<size_t>(i)]);
        break;
    }
    case 1:
        RetireLigne(o, g.selection);
        break;
    case 2: {
        RazGroupe(o);
        VideListes(o);
        const auto& chemins = o.images.chargeur.ListIMGchar;
        for (size_t i = 0; i < chemins.size(); ++i) Ajoute(o, static_cast<int>(i), chemins[i]);
        break;
    }
    case 3:
        VideListes(o);
        RazGroupe(o);
        break;
    case 4:
        o.controles.Visible(Controle::CadreGroupe, false);
        if (o.controles(Controle::CadreChargeur).visible)
            o.controles.Visible(Controle::CadreChargeur, false);
        return;
    default:
        return;
    }
}

void EtatModeGroupe(Orvelle& o) {
    auto& k = o.controles;
    const bool mode = k(Controle::CaseModeMC).coche;
    o.ModeGroupe = mode;
    k.Actif(Controle::CaseImgMC, mode);
    k.Actif(Controle::CalibrageGroupe, mode);
}

void chkMC_Click(Orvelle& o, int index) {
    if (index == 0) {
        EtatModeGroupe(o);
        o.controles.Visible(Controle::CadreGroupe, false);
    } else if (index != 1) {
        return;
    }
    Retrace(o);
}

void ListImgMC_Click(Orvelle& o, int ligne) {
    if (ligne >= 0 && ligne < static_cast<int>(o.groupe.ListImgMC.size()))
        o.groupe.selection = ligne;
}

std::optional<int> ListImgMC_DblClick(Orvelle& o, int ligne) {
    auto& g = o.groupe;
    if (ligne < 0 || ligne >= static_cast<int>(g.ListImgIdx.size())) return std::nullopt;
    if (o.mesure.Etape >= 2) {
        o.plateforme.Flash(kRefus, o.textes.Msg(kMsgMesureInachevee), kDelaiFlash);
        return std::nullopt;
    }
    g.selection = ligne;
    return g.ListImgIdx[static_cast<size_t>(ligne)];
}

void CopieCalibrageGroupe(Orvelle& o) {
    auto& g = o.groupe;
    auto& p = o.plateforme;
    if (g.ListImgIdx.empty()) {
        p.Message(o.textes.Msg(kMsgGroupeVide));
        return;
    }
    const std::string question =
        o.textes.Msg(kMsgAppliquerGroupe) + std::string(FinDeLigne) + o.textes.Msg(kMsgContinuer);
    if (!p.QuestionOuiNon(question, o.textes.Mnu(mnu::Attention), Icone::Information)) return;
    if (o.images.IndexImage < 0 || o.images.IndexImage >= static_cast<int>(o.CalibrageImage.size()))
        return;
    const double facteur = o.CalibrageImage[static_cast<size_t>(o.images.IndexImage)];
    for (int index : g.ListImgIdx) {
        const int slot = index + 1;
        if (slot >= 1 && slot < static_cast<int>(o.CalibrageImage.size()))
            o.CalibrageImage[static_cast<size_t>(slot)] = facteur;
    }
}

void RazGroupe(Orvelle& o) {
    o.groupe.EstDansGroupe.fill(false);
}

void GroupeVide(Orvelle& o) {
    VideListes(o);
    RazGroupe(o);
}

void GroupeRetireImage(Orvelle& o, int indexChargeur) {
    auto& g = o.groupe;
    for (int ligne = static_cast<int>(g.ListImgIdx.size()) - 1; ligne >= 0; --ligne)
        if (g.ListImgIdx[static_cast<size_t>(ligne)] == indexChargeur) RetireLigne(o, ligne);
    for (int& index : g.ListImgIdx)
        if (index > indexChargeur) --index;
    RazGroupe(o);
    for (int index : g.ListImgIdx)
        if (DansTable(index)) g.EstDansGroupe[static_cast<size_t>(index)] = true;
}

} // namespace orv
