#include "app/TravailRecent.h"

#include "app/CommandesImages.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/Historique.h"
#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "interface/Messages.h"

#include <filesystem>

namespace orv {

namespace {

ListeRecente& Liste(Orvelle& o, GenreRecent genre) {
    return genre == GenreRecent::Trame ? o.tramesRecentes : o.imagesRecentes;
}

constexpr std::string_view CleTrame = "TRAME=";
constexpr std::string_view CleImage = "IMAGE=";

std::string CheminRecents(const Orvelle& o) {
    return o.dossierProgramme + "/" + std::string(NomFichierRecents);
}

// Written at once, so that the next start offers them whether or not the
// settings were saved; the settings file itself is never touched.
void EnregistreRecents(Orvelle& o) {
    if (o.dossierProgramme.empty()) return;
    std::vector<std::string> lignes;
    for (const auto& c : o.tramesRecentes.Chemins()) lignes.push_back(std::string(CleTrame) + c);
    for (const auto& c : o.imagesRecentes.Chemins()) lignes.push_back(std::string(CleImage) + c);
    // Silent: a folder that cannot be written is said at the first explicit
    // save of the settings.
    EcritLignesFichier(CheminRecents(o), lignes);
}

} // namespace

void LitRecents(Orvelle& o) {
    o.tramesRecentes.Vide();
    o.imagesRecentes.Vide();
    if (o.dossierProgramme.empty()) return;
    const auto lignes = LitLignesFichier(CheminRecents(o));
    if (!lignes) return;
    // Lines of another kind are skipped; each list keeps its order.
    for (const std::string& l : *lignes) {
        if (l.rfind(CleTrame, 0) == 0) o.tramesRecentes.Complete(l.substr(CleTrame.size()));
        if (l.rfind(CleImage, 0) == 0) o.imagesRecentes.Complete(l.substr(CleImage.size()));
    }
}

void NoteRecent(Orvelle& o, GenreRecent genre, const std::string& chemin) {
    ListeRecente& l = Liste(o, genre);
    const ListeRecente avant = l;
    // The same file named from two folders is one entry.
    std::error_code e;
    const auto absolu = std::filesystem::absolute(chemin, e);
    l.Ajoute(e ? chemin : absolu.lexically_normal().string());
    if (!(l == avant)) EnregistreRecents(o);
}

namespace {

bool Ouvre(Orvelle& o, GenreRecent genre, std::size_t index) {
    ListeRecente& l = Liste(o, genre);
    if (index >= l.Chemins().size()) return false;
    const std::string chemin = l.Chemins()[index];
    if (!FichierExiste(chemin)) {
        o.plateforme.Message(chemin + o.textes.Mnu(mnu::RecentIntrouvable), {}, Icone::Exclamation);
        l.Retire(chemin);
        EnregistreRecents(o);
        return false;
    }
    if (genre == GenreRecent::Image) return OuvreCheminImage(o, chemin);
    if (!RemplacementAccepte(o)) return false;
    return OuvreTrame(o, chemin);
}

} // namespace

bool OuvreRecent(Orvelle& o, GenreRecent genre, std::size_t index) {
    const bool ouvert = Ouvre(o, genre, index);
    // As after any command: a grid read is a step to undo, the title names it.
    SuitHistorique(o);
    MontreFonctionActive(o);
    return ouvert;
}

} // namespace orv
