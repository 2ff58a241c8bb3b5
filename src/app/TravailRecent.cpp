#include "app/TravailRecent.h"

#include "app/CommandesImages.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/Historique.h"
#include "app/Orvelle.h"
#include "base/Cp1252.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/FichiersRefuses.h"
#include "interface/Messages.h"

#include <filesystem>

namespace orv {

namespace {

ListeRecente& Liste(Orvelle& o, GenreRecent genre) {
    return genre == GenreRecent::Trame ? o.tramesRecentes : o.imagesRecentes;
}

constexpr std::string_view CleTrame = "TRAME=";
constexpr std::string_view CleImage = "IMAGE=";
// A name that a line cannot hold as it is (a line break, bytes that are not
// UTF-8) is written escaped under its own key, so that a plain entry is never
// unescaped.
constexpr std::string_view CleTrameEchappee = "TRAME%=";
constexpr std::string_view CleImageEchappee = "IMAGE%=";

std::string Entree(std::string_view cle, std::string_view cleEchappee, const std::string& chemin) {
    return CheminAEchapper(chemin) ? std::string(cleEchappee) + EchappeChemin(chemin)
                                   : std::string(cle) + chemin;
}

// The path of an entry of that kind, or nothing.
std::optional<std::string> CheminEntree(const std::string& ligne, std::string_view cle,
                                        std::string_view cleEchappee) {
    if (ligne.rfind(cle, 0) == 0) return ligne.substr(cle.size());
    if (ligne.rfind(cleEchappee, 0) == 0) return RetrouveChemin(ligne.substr(cleEchappee.size()));
    return std::nullopt;
}

std::string CheminRecents(const Orvelle& o) {
    return o.dossierProgramme + "/" + std::string(NomFichierRecents);
}

// Written at once, so that the next start offers them whether or not the
// settings were saved; the settings file itself is never touched.
void EnregistreRecents(Orvelle& o) {
    if (o.dossierProgramme.empty()) return;
    std::vector<std::string> lignes;
    for (const auto& c : o.tramesRecentes.Chemins())
        lignes.push_back(Entree(CleTrame, CleTrameEchappee, c));
    for (const auto& c : o.imagesRecentes.Chemins())
        lignes.push_back(Entree(CleImage, CleImageEchappee, c));
    // Silent: a folder that cannot be written is said at the first explicit
    // save of the settings.
    EcritLignesFichier(CheminRecents(o), lignes);
}

} // namespace

void LitRecents(Orvelle& o) {
    o.tramesRecentes.Vide();
    o.imagesRecentes.Vide();
    if (o.dossierProgramme.empty()) return;
    const std::string chemin = CheminRecents(o);
    // Sixteen paths: a file of megabytes is not the program's, and reading it
    // would hold up the start.
    const LectureFichier lu = LitFichier(chemin, LimiteFichierTexte);
    if (!lu) {
        if (const std::string refus =
                TexteFichierNonLu(o.textes, chemin, lu.defaut, LimiteFichierTexte);
            !refus.empty())
            o.plateforme.Message(refus, {}, Icone::Exclamation);
        return;
    }
    // Lines of another kind are skipped; each list keeps its order.
    for (const std::string& l : DecoupeLignes(DepuisCp1252(*lu.octets))) {
        if (const auto c = CheminEntree(l, CleTrame, CleTrameEchappee))
            o.tramesRecentes.Complete(*c);
        if (const auto c = CheminEntree(l, CleImage, CleImageEchappee))
            o.imagesRecentes.Complete(*c);
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
        const std::string texte =
            PasFichierOrdinaire(chemin)
                ? TexteFichierNonLu(o.textes, chemin, DefautLecture::PasOrdinaire, 0)
                : NomAffichable(chemin) + o.textes.Mnu(mnu::RecentIntrouvable);
        o.plateforme.Message(texte, {}, Icone::Exclamation);
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
