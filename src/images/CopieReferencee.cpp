#include "images/CopieReferencee.h"

#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/TableControles.h"

#include <array>

namespace orv {

namespace {

constexpr int kMsgEcraser = 116;
constexpr int kMsgErreurFichier = 144;
constexpr int kMsgChargement = 157;

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

void ActiveFormatsImage(Orvelle& o) {
    auto& c = o.controles;
    int format = 0;
    for (Controle x : MemeFamille(Controle::FormatImageBMP))
        c.Actif(x, !ExtensionFormat(format++).empty());
}

std::string NomCopieReferencee(const std::string& cheminImage, int format) {
    const auto separateur = cheminImage.find_last_of("/\\");
    const auto point = cheminImage.rfind('.');
    const bool extension =
        point != std::string::npos && (separateur == std::string::npos || point > separateur);
    const std::string base = extension ? cheminImage.substr(0, point) : cheminImage;
    return base + "_Ref." + ExtensionFormat(FormatEcrivable(format));
}

bool Conversion_BMP_JPG(Plateforme& p, const aDIBSection& dib, const std::string& chemin) {
    return EcritCopieImage(p, dib, chemin, 1);
}

bool EcritCopieImage(Plateforme& p, const aDIBSection& dib, const std::string& chemin, int format) {
    if (dib.Width() <= 0 || dib.Height() <= 0) return false;
    const int f = FormatEcrivable(format);
    if (f == 0) return static_cast<bool>(EcritBMP(dib, chemin));
    return p.EcritImage(chemin, kFormats[static_cast<std::size_t>(f)].nom, dib.Width(),
                        dib.Height(), dib.BytesPerScanLine(), dib.DIBSectionBitsPtr());
}

void OffreCopieReferencee(Orvelle& o, std::optional<PixelsImage> copie) {
    auto& c = o.controles;
    o.chargeur.apercu = std::move(copie);
    o.chargeur.apercuEnregistre = false;
    c.Texte(Controle::CadreCopie, "Enregistrement de l'image référencée");
    c.Visible(Controle::TexteCopie, false);
    c.Actif(Controle::CopieEnregistre, true);
    c.Visible(Controle::CadreCopie, true);
    ++o.chargeur.version;
    if (o.chargeur.surChangement) o.chargeur.surChangement();
}

bool EnregistreCopieReferencee(Orvelle& o) {
    auto& p = o.plateforme;
    // The default picture has no file to name the copy after.
    if (o.cheminImage.empty()) {
        p.Bip();
        return false;
    }
    const int format = FormatEcrivable(o.parametres.extImg);
    const std::string cible = NomCopieReferencee(o.cheminImage, format);
    if (FichierExiste(cible) &&
        !p.QuestionOKAnnuler(cible + std::string(FinDeLigne) + o.textes.Msg(kMsgEcraser)))
        return false;

    std::optional<PixelsImage> image = o.chargeur.apercu;
    if (!image) image = p.LitPixelsImage(o.cheminImage);
    aDIBSection dib;
    if (!image || !dib.CreateFromPicture(*image)) {
        p.Message(o.textes.Msg(kMsgChargement) + o.cheminImage, {}, Icone::Exclamation);
        return false;
    }
    if (!EcritCopieImage(p, dib, cible, format)) {
        p.Message(o.textes.Msg(kMsgErreurFichier) + " : " + cible, {}, Icone::Exclamation);
        return false;
    }
    o.chargeur.apercuEnregistre = true;
    o.controles.Actif(Controle::CopieEnregistre, false);
    return true;
}

void FermeCopieReferencee(Orvelle& o) {
    o.chargeur.apercuEnregistre = false;
    o.chargeur.apercu.reset();
    o.controles.Visible(Controle::CadreCopie, false);
    ++o.chargeur.version;
    if (o.chargeur.surChangement) o.chargeur.surChangement();
}

} // namespace orv
