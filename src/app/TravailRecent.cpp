#include "app/TravailRecent.h"

#include "app/CommandesImages.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/FichierParametres.h"
#include "app/Historique.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "interface/Messages.h"

#include <filesystem>

namespace orv {

namespace {

ListeRecente& Liste(Orvelle& o, GenreRecent genre) {
    return genre == GenreRecent::Trame ? o.parametres.tramesRecentes : o.parametres.imagesRecentes;
}

// Only the two lists change in the file: the other settings stay as the user
// last saved them (the settings are otherwise written on demand only).
void EnregistreRecents(Orvelle& o) {
    if (o.dossierProgramme.empty()) return;
    const std::string chemin = CheminParametres(o);
    Parametres fichier;
    if (!LitFichierParametres(chemin, fichier)) fichier = ParametresAEcrire(o);
    fichier.tramesRecentes = o.parametres.tramesRecentes;
    fichier.imagesRecentes = o.parametres.imagesRecentes;
    // Silent, as the file made at the first start: a folder that cannot be
    // written is said at the first explicit save.
    EcritFichierParametres(chemin, fichier, {o.textes.Msg(139), o.dossierProgramme, o.Sep()});
}

} // namespace

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
