#include "calibration/GroupeImages.h"

#include "base/Texte.h"
#include "interface/Messages.h"

#include <algorithm>
#include <cstdint>

namespace orv {

namespace {

constexpr std::uint32_t kRefus = 0xC0C0FF;
constexpr int kDelaiFlash = 2;

bool DansTable(int index) {
    return index >= 0 && index < SlotsGroupe;
}

// The loader items selected: the multiple selection, else the single one.
std::vector<int> SelectionChargeur(const EtatChargeur& ch) {
    if (!ch.selectionMultiple.empty()) return ch.selectionMultiple;
    return ch.selection >= 0 ? std::vector<int>{ch.selection} : std::vector<int>{};
}

void Ajoute(GroupeImages& g, int index, const std::string& chemin) {
    if (!DansTable(index) || g.EstDansGroupe[static_cast<size_t>(index)]) return;
    g.ListImgMC.push_back(chemin);
    g.ListImgIdx.push_back(index);
    g.EstDansGroupe[static_cast<size_t>(index)] = true;
}

void VideListes(GroupeImages& g) {
    g.ListImgMC.clear();
    g.ListImgIdx.clear();
    g.selection = -1;
}

void RetireLigne(GroupeImages& g, int ligne) {
    if (ligne < 0 || ligne >= static_cast<int>(g.ListImgMC.size())) return;
    const int index = g.ListImgIdx[static_cast<size_t>(ligne)];
    if (DansTable(index)) g.EstDansGroupe[static_cast<size_t>(index)] = false;
    g.ListImgMC.erase(g.ListImgMC.begin() + ligne);
    g.ListImgIdx.erase(g.ListImgIdx.begin() + ligne);
    g.selection = -1;
}

} // namespace

void ModifieGroupe(Interface& ui, GroupeImages& g, const EtatChargeur& chargeur,
                   ActionGroupe action) {
    switch (action) {
    case ActionGroupe::AjouteSelection: {
        const auto& chemins = chargeur.ListIMGchar;
        auto choisis = SelectionChargeur(chargeur);
        std::sort(choisis.begin(), choisis.end());
        for (int i : choisis)
            if (i >= 0 && i < static_cast<int>(chemins.size()))
                Ajoute(g, i, chemins[static_cast<size_t>(i)]);
        break;
    }
    case ActionGroupe::RetireLigne:
        RetireLigne(g, g.selection);
        break;
    case ActionGroupe::AjouteTout: {
        RazGroupe(g);
        VideListes(g);
        const auto& chemins = chargeur.ListIMGchar;
        for (size_t i = 0; i < chemins.size(); ++i) Ajoute(g, static_cast<int>(i), chemins[i]);
        break;
    }
    case ActionGroupe::RetireTout:
        VideListes(g);
        RazGroupe(g);
        break;
    case ActionGroupe::Ferme:
        ui.controles.Visible(Controle::CadreGroupe, false);
        ui.controles.Visible(Controle::CadreChargeur, false);
        return;
    }
}

void EtatModeGroupe(Interface& ui, EtatCalibrage& c, bool mode) {
    c.ModeGroupe = mode;
    ui.controles.Actif(Controle::CaseImgMC, mode);
    ui.controles.Actif(Controle::CalibrageGroupe, mode);
}

void SelectionneLigneGroupe(GroupeImages& g, int ligne) {
    if (ligne >= 0 && ligne < static_cast<int>(g.ListImgMC.size())) g.selection = ligne;
}

std::optional<int> MontreImageGroupe(Interface& ui, GroupeImages& g, bool mesureInachevee,
                                     int ligne) {
    if (ligne < 0 || ligne >= static_cast<int>(g.ListImgIdx.size())) return std::nullopt;
    if (mesureInachevee) {
        ui.plateforme.Flash(kRefus, ui.Msg(msg::MesureInachevee), kDelaiFlash);
        return std::nullopt;
    }
    g.selection = ligne;
    return g.ListImgIdx[static_cast<size_t>(ligne)];
}

void CopieCalibrageGroupe(Interface& ui, EtatCalibrage& c, int slot) {
    const auto& g = c.groupe;
    auto& p = ui.plateforme;
    if (g.ListImgIdx.empty()) {
        p.Message(ui.Msg(msg::GroupeVide));
        return;
    }
    const std::string question =
        ui.Msg(msg::AppliquerGroupe) + std::string(FinDeLigne) + ui.Msg(msg::Continuer);
    if (!p.QuestionOuiNon(question, ui.Mnu(mnu::Attention), Icone::Information)) return;
    if (slot < 0 || slot >= static_cast<int>(c.CalibrageImage.size())) return;
    const double facteur = c.CalibrageImage[static_cast<size_t>(slot)];
    for (int index : g.ListImgIdx) {
        const int s = index + 1;
        if (s >= 1 && s < static_cast<int>(c.CalibrageImage.size()))
            c.CalibrageImage[static_cast<size_t>(s)] = facteur;
    }
}

void RazGroupe(GroupeImages& g) {
    g.EstDansGroupe.fill(false);
}

void GroupeVide(GroupeImages& g) {
    VideListes(g);
    RazGroupe(g);
}

void GroupeRetireImage(GroupeImages& g, int indexChargeur) {
    for (int ligne = static_cast<int>(g.ListImgIdx.size()) - 1; ligne >= 0; --ligne)
        if (g.ListImgIdx[static_cast<size_t>(ligne)] == indexChargeur) RetireLigne(g, ligne);
    for (int& index : g.ListImgIdx)
        if (index > indexChargeur) --index;
    RazGroupe(g);
    for (int index : g.ListImgIdx)
        if (DansTable(index)) g.EstDansGroupe[static_cast<size_t>(index)] = true;
}

} // namespace orv
