#include "images/CopieReferencee.h"

#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "images/DIBSection.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"

#include <array>
#include <sys/stat.h>

namespace orv {

namespace {

struct FormatEcrit {
    const char* extension; // of the copy's name
    const char* nom;       // as the platform's encoder knows it
};

// F_Img entries 0..6: "BMP", "JPG", "GIF", "PNG", "TIFF", "PCX", "TGA".
constexpr std::array<FormatEcrit, 7> kFormats = {{{"bmp", "BMP"},
                                                  {"JPG", "JPG"},
                                                  {nullptr, nullptr},
                                                  {"png", "PNG"},
                                                  {"tif", "TIFF"},
                                                  {nullptr, nullptr},
                                                  {nullptr, nullptr}}};

int FormatEcrivable(int format) {
    return format >= 0 && format < static_cast<int>(kFormats.size()) &&
                   kFormats[static_cast<std::size_t>(format)].extension
               ? format
               : 0;
}

} // namespace

std::string ExtensionFormat(int format) {
    if (format < 0 || format >= static_cast<int>(kFormats.size())) return {};
    const char* e = kFormats[static_cast<std::size_t>(format)].extension;
    return e ? e : "";
}

void ActiveFormatsImage(Interface& ui) {
    int format = 0;
    for (Controle x : MemeFamille(Controle::FormatImageBMP))
        ui.controles.Actif(x, !ExtensionFormat(format++).empty());
}

std::string NomCopieReferencee(const std::string& cheminImage, int format) {
    const auto separateur = cheminImage.find_last_of("/\\");
    const auto point = cheminImage.rfind('.');
    const bool extension =
        point != std::string::npos && (separateur == std::string::npos || point > separateur);
    const std::string base = extension ? cheminImage.substr(0, point) : cheminImage;
    return base + "_Ref." + ExtensionFormat(FormatEcrivable(format));
}

bool EcritCopiePixels(Plateforme& p, const PixelsImage& pixels, const std::string& chemin,
                      int format) {
    const int f = FormatEcrivable(format);
    if (f == 0) {
        const std::string octets = OctetsBMP(pixels);
        return !octets.empty() && static_cast<bool>(EcritAtomique(chemin, octets));
    }
    return p.EcritPixels(chemin, kFormats[static_cast<std::size_t>(f)].nom, pixels);
}

void OffreCopieReferencee(Interface& ui, EtatChargeur& ch, std::optional<PixelsImage> copie) {
    auto& c = ui.controles;
    ch.apercu = std::move(copie);
    c.Texte(Controle::CadreCopie, ui.Mnu(mnu::EnregistrementCopie));
    c.Visible(Controle::TexteCopie, false);
    c.Actif(Controle::CopieEnregistre, true);
    c.Visible(Controle::CadreCopie, true);
    ++ch.version;
}

bool EnregistreCopieReferencee(Interface& ui, EtatImages& im, int format) {
    auto& p = ui.plateforme;
    const std::string& image = im.cheminImage;
    // The default picture has no file to name the copy after.
    if (image.empty()) {
        p.Bip();
        return false;
    }
    format = FormatEcrivable(format);
    const std::string cible = NomCopieReferencee(image, format);
    // Anything at that name is asked about, a link (even to nothing) included.
    struct stat st {};
    if (::lstat(cible.c_str(), &st) == 0 &&
        !p.QuestionOKAnnuler(cible + std::string(FinDeLigne) + ui.Msg(msg::Ecraser)))
        return false;

    // The copy drawn on, else the plain picture; written from where it lies.
    std::optional<PixelsImage> lue;
    if (!im.chargeur.apercu) lue = p.LitPixelsImage(image);
    const PixelsImage* pixels = im.chargeur.apercu ? &*im.chargeur.apercu : lue ? &*lue : nullptr;
    if (!pixels || pixels->largeur <= 0 || pixels->hauteur <= 0 ||
        pixels->pixels.size() !=
            static_cast<std::size_t>(pixels->largeur) * static_cast<std::size_t>(pixels->hauteur)) {
        p.Message(ui.Msg(msg::ChargementImage) + image, {}, Icone::Exclamation);
        return false;
    }
    if (!EcritCopiePixels(p, *pixels, cible, format)) {
        p.Message(ui.Msg(msg::ErreurFichier) + " : " + cible, {}, Icone::Exclamation);
        return false;
    }
    ui.controles.Actif(Controle::CopieEnregistre, false);
    // Where it went, in the frame and in the status bar.
    ui.controles.Texte(Controle::TexteCopie, NomAffichable(cible));
    ui.controles.Visible(Controle::TexteCopie, true);
    ui.Statut(ui.Mnu(mnu::CopieEnregistree) + NomAffichable(cible));
    return true;
}

void FermeCopieReferencee(Interface& ui, EtatChargeur& ch) {
    ch.apercu.reset();
    ui.controles.Visible(Controle::CadreCopie, false);
    ++ch.version;
}

} // namespace orv
