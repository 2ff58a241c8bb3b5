#include "PlateformeFactice.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orv::test {

void PlateformeFactice::Message(const std::string& texte, const std::string& titre, Icone) {
    appels.push_back({"message", texte, titre});
}

namespace {
// The next scripted answer; an unexpected call fails the test.
template <class T> T Suivante(std::deque<T>& file, const std::string& quoi) {
    if (file.empty()) throw std::logic_error("unexpected " + quoi);
    T r = std::move(file.front());
    file.pop_front();
    return r;
}
} // namespace

bool PlateformeFactice::QuestionOuiNon(const std::string& texte, const std::string& titre, Icone) {
    appels.push_back({"question", texte, titre});
    return Suivante(reponses, "question: " + texte);
}

Reponse PlateformeFactice::QuestionOuiNonAnnuler(const std::string& texte, const std::string& titre,
                                                 Icone) {
    appels.push_back({"question", texte, titre});
    return Suivante(reponses3, "question: " + texte);
}

std::optional<int> PlateformeFactice::ChoisitCouleurPalette(const std::string& titre, int) {
    appels.push_back({"couleur", titre, {}});
    return Suivante(couleurs, "colour choice: " + titre);
}

std::optional<PoliceTexte> PlateformeFactice::ChoisitPolice(const PoliceTexte& proposee) {
    std::ostringstream taille;
    taille << proposee.taille;
    appels.push_back({"police", taille.str(), {}});
    return Suivante(polices, "font choice");
}

bool PlateformeFactice::QuestionOKAnnuler(const std::string& texte, const std::string& titre,
                                          Icone i) {
    return QuestionOuiNon(texte, titre, i);
}

void PlateformeFactice::Flash(std::uint32_t couleur, const std::string& texte, int) {
    derniereCouleurFlash = couleur;
    appels.push_back({"flash", texte, {}});
}

void PlateformeFactice::FlashOuvre(const std::string& texte) {
    appels.push_back({"flash", texte, {}});
}

void PlateformeFactice::FlashFerme(int) {}

void PlateformeFactice::Bip() {
    appels.push_back({"bip", {}, {}});
}

std::optional<std::string> PlateformeFactice::ChoisitFichierAOuvrir(const std::string& titre,
                                                                    const std::string&,
                                                                    const std::string& dossier) {
    appels.push_back({"fichier", titre, {}});
    dernierPropose = dossier;
    return Suivante(fichiers, "file dialog: " + titre);
}

std::optional<std::string>
PlateformeFactice::ChoisitFichierAEnregistrer(const std::string& titre, const std::string&,
                                              const std::string& propose) {
    return ChoisitFichierAOuvrir(titre, {}, propose);
}

void PlateformeFactice::CopieTextePressePapier(const std::string& texte) {
    pressePapier = texte;
    appels.push_back({"pressepapier", texte, {}});
}

std::optional<TailleImage> PlateformeFactice::LitTailleImage(const std::string& chemin) {
    auto it = images.find(chemin);
    if (it != images.end()) return it->second;
    // A real BMP file (one the program wrote) is read from its header.
    std::ifstream f(chemin, std::ios::binary);
    unsigned char h[26] = {};
    if (!f.read(reinterpret_cast<char*>(h), sizeof h) || h[0] != 'B' || h[1] != 'M')
        return std::nullopt;
    auto entier = [&](int i) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k) v = v << 8 | h[i + k];
        return static_cast<std::int32_t>(v);
    };
    const std::int32_t l = entier(18), ht = entier(22);
    if (l <= 0 || ht == 0) return std::nullopt;
    return TailleImage{l, ht < 0 ? -ht : ht};
}

bool PlateformeFactice::OuvreEditeurTexte(const std::string& chemin) {
    appels.push_back({"editeur", chemin, {}});
    return editeurDisponible;
}

std::optional<PixelsImage> PlateformeFactice::ImagePressePapier() {
    appels.push_back({"imagepressepapier", {}, {}});
    return imagePressePapier;
}

bool PlateformeFactice::DessineImage(PixelsImage& image, const std::vector<DessinImage>& d) {
    appels.push_back({"dessin", std::to_string(d.size()), {}});
    for (const DessinImage& x : d) {
        const long i = std::lround(x.x0), j = std::lround(x.y0);
        if (i >= 0 && j >= 0 && i < image.largeur && j < image.hauteur)
            image.pixels[static_cast<std::size_t>(j) * image.largeur + i] = 0xFFFFFFFF;
    }
    return true;
}

std::optional<PixelsImage> PlateformeFactice::LitPixelsImage(const std::string& chemin) {
    appels.push_back({"pixels", chemin, {}});
    auto it = pixelsImages.find(chemin);
    if (it == pixelsImages.end()) return std::nullopt;
    return it->second;
}

std::optional<EchantillonsImage> PlateformeFactice::LitZoneImage(const std::string& chemin,
                                                                 ZonePixels z) {
    appels.push_back({"litzone", chemin, {}});
    auto it = echantillons.find(chemin);
    if (it == echantillons.end()) return std::nullopt;
    const EchantillonsImage& tout = it->second;
    const int l = tout.zone.largeur;
    EchantillonsImage r;
    r.zone.x = std::max(z.x, 0);
    r.zone.y = std::max(z.y, 0);
    r.zone.largeur = std::min(z.x + z.largeur, l) - r.zone.x;
    r.zone.hauteur = std::min(z.y + z.hauteur, tout.zone.hauteur) - r.zone.y;
    if (r.zone.Vide()) return std::nullopt;
    for (int y = r.zone.y; y < r.zone.y + r.zone.hauteur; ++y)
        for (int x = r.zone.x; x < r.zone.x + r.zone.largeur; ++x)
            for (int k = 0; k < 3; ++k)
                r.rvb.push_back(tout.rvb[static_cast<size_t>((y * l + x) * 3 + k)]);
    return r;
}

bool PlateformeFactice::EcritImage(const std::string& chemin, const std::string& format,
                                   int largeur, int hauteur, int octetsParLigne,
                                   const std::uint8_t* pixels) {
    appels.push_back({"ecritimage", chemin, format});
    if (!ecritureImageReussit) return false;
    std::ofstream f(chemin, std::ios::binary);
    f << format << ' ' << largeur << ' ' << hauteur << '\n';
    f.write(reinterpret_cast<const char*>(pixels),
            static_cast<std::streamsize>(octetsParLigne) * hauteur);
    return static_cast<bool>(f);
}

std::optional<std::vector<std::string>>
PlateformeFactice::ContenuDossier(const std::string& dossier, bool dossiers) {
    std::error_code ec;
    std::vector<std::string> noms;
    for (auto it = std::filesystem::directory_iterator(dossier, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        if (it->is_directory() == dossiers) noms.push_back(it->path().filename().string());
    if (ec) return std::nullopt;
    return noms;
}

std::vector<std::string> PlateformeFactice::Textes(const std::string& genre) const {
    std::vector<std::string> v;
    for (const auto& a : appels)
        if (a.genre == genre) v.push_back(a.texte);
    return v;
}

} // namespace orv::test
