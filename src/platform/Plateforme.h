// What the core asks of the outside world: message boxes, flash notices, the
// status bar, the beep, file dialogs, the clipboard, the locale and the clock.
// The Qt program implements it; tests use a scripted fake that records calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct TailleImage {
    int largeur = 0, hauteur = 0; // pixels
    friend bool operator==(const TailleImage&, const TailleImage&) = default;
};

// A picture's pixels, rows top-down, each 0xFFRRGGBB (largeur x hauteur values).
struct PixelsImage {
    int largeur = 0, hauteur = 0;
    std::vector<std::uint32_t> pixels;
};

// A view over the pixels of the picture the image box shows, as it decoded
// them (rows of 0xFFRRGGBB, top row first, `pas` values apart), and what keeps
// them alive while the view is in use, on any thread.
struct VuePixelsImage {
    const std::uint32_t* pixels = nullptr;
    int largeur = 0, hauteur = 0;
    std::ptrdiff_t pas = 0;
    std::shared_ptr<const void> garde;
};

// A mounted file system the folder browser offers: its name and where it is.
struct LecteurMonte {
    std::string nom;
    std::string chemin;
};

// A rectangle of a picture, in image pixels from its top-left corner.
struct ZonePixels {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
    bool Vide() const { return largeur <= 0 || hauteur <= 0; }
    friend bool operator==(const ZonePixels&, const ZonePixels&) = default;
};

// Samples of a rectangle of a picture, 16 bits per channel (an 8-bit value v
// reads v * 257): red, green, blue per pixel, rows top-down.
struct EchantillonsImage {
    ZonePixels zone; // the rectangle read, inside the picture
    std::vector<std::uint16_t> rvb;
};

// A font as the user chose it: its family (empty: the window's), size in
// points, bold.
struct PoliceTexte {
    std::string nom;
    double taille = 10;
    bool gras = false;
};

// One drawing on a picture, in its pixels (0, 0 the top-left corner of the
// top-left pixel): a line of the given pen width, or a text whose top-left
// corner is at (x0, y0), turned clockwise by `angle` degrees about it.
struct DessinImage {
    enum class Genre { Ligne, Texte };
    Genre genre = Genre::Ligne;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double epaisseur = 1;      // pixels
    std::uint32_t couleur = 0; // &HBBGGRR, as the program writes colours
    std::string texte;         // Genre::Texte
    std::string police;        // family (empty: the window's)
    double taillePixels = 12;  // height of the font, pixels
    bool gras = false;
    double angle = 0; // degrees, clockwise
};

// The user's own folders that dialogs start in before a folder was used.
enum class GenreDossier { Documents, Images };

enum class Icone { Aucune, Question, Information, Exclamation, Critique };

enum class Reponse { Oui, Non, Annuler };

class Plateforme {
public:
    virtual ~Plateforme() = default;

    // Message box with an OK button.
    virtual void Message(const std::string& texte, const std::string& titre = {},
                         Icone icone = Icone::Aucune) = 0;
    // Yes/No question; true for Yes.
    virtual bool QuestionOuiNon(const std::string& texte, const std::string& titre = {},
                                Icone icone = Icone::Question) = 0;
    // OK/Cancel question; true for OK.
    virtual bool QuestionOKAnnuler(const std::string& texte, const std::string& titre = {},
                                   Icone icone = Icone::Question) = 0;
    // Yes/No/Cancel question (closing the box is Cancel).
    virtual Reponse QuestionOuiNonAnnuler(const std::string& texte, const std::string& titre = {},
                                          Icone icone = Icone::Question) = 0;

    // Transient notice on the given RGB back colour (0xBBGGRR as the program's
    // colours are written, e.g. &HFF00 for green) for `delaiSecondes`. Never
    // blocks the caller.
    virtual void Flash(std::uint32_t couleur, const std::string& texte, int delaiSecondes) = 0;
    // The showing half of a flash, and the hiding half after a delay.
    virtual void FlashOuvre(const std::string& texte) = 0;
    virtual void FlashFerme(int delaiSecondes) = 0;

    virtual void Bip() = 0;

    // Decimal separator of the user's locale.
    virtual char SeparateurDecimal() const = 0;

    // File dialogs: the chosen path, or nothing when cancelled. `filtre` is the
    // program's "Label|*.ext;*.ext|Label|*.ext" form.
    virtual std::optional<std::string> ChoisitFichierAOuvrir(const std::string& titre,
                                                             const std::string& filtre,
                                                             const std::string& dossier) = 0;
    virtual std::optional<std::string>
    ChoisitFichierAEnregistrer(const std::string& titre, const std::string& filtre,
                               const std::string& cheminPropose) = 0;

    virtual void CopieTextePressePapier(const std::string& texte) = 0;

    // Lets the user pick one of the 16 palette colours (numbers 0..15), the
    // current one shown as chosen; nothing when cancelled.
    virtual std::optional<int> ChoisitCouleurPalette(const std::string& titre, int actuelle) = 0;

    // Size of an image file read from its header, without decoding the
    // picture, as the program shows it (upright: its orientation tag
    // applied); nothing when the file is not a picture the program can read.
    virtual std::optional<TailleImage> LitTailleImage(const std::string& chemin) = 0;
    // The orientation tag (1 to 8, images/Orientation.h) that the program
    // applies to show a picture file upright; 1 when it has none or cannot be read.
    virtual int LitOrientationImage(const std::string& chemin) = 0;

    // Lets pending window events run (a point where a long operation yields).
    virtual void LaisseEvenements() = 0;

    // Opens a text file in the user's text editor ($VISUAL, else $EDITOR, else
    // the desktop's default), started with the path as its one argument and
    // never through a shell; the program does not wait for it. False when no
    // editor could be started.
    virtual bool OuvreEditeurTexte(const std::string& chemin) = 0;

    // Opens a document (a PDF guide) with the desktop's viewer for its type,
    // never through a shell; the program does not wait for it. False when no
    // viewer took it.
    virtual bool OuvreDocument(const std::string& chemin) = 0;

    // The picture the clipboard holds; nothing when it holds none.
    virtual std::optional<PixelsImage> ImagePressePapier() = 0;
    // The pixels of an image file, upright as the image box shows them;
    // nothing when it cannot be read.
    virtual std::optional<PixelsImage> LitPixelsImage(const std::string& chemin) = 0;
    // The samples of `zone` (clipped to the picture) of a picture file, as the
    // image box shows it (upright), at the file's own depth; nothing when the
    // file cannot be read.
    virtual std::optional<EchantillonsImage> LitZoneImage(const std::string& chemin,
                                                          ZonePixels zone) {
        (void)chemin;
        (void)zone;
        return std::nullopt;
    }
    // The pixels of the picture `chemin` as the image box decoded it to show
    // it (upright, never decoded again); nothing while the box shows another
    // picture or has not decoded all of it.
    virtual std::optional<VuePixelsImage> PixelsAffiches(const std::string& chemin) {
        (void)chemin;
        return std::nullopt;
    }
    // Writes a 24-bit picture (rows bottom-up, `octetsParLigne` bytes apart, each
    // pixel blue, green, red) as a "JPG", "PNG" or "TIFF" file, atomically;
    // false when it could not be written.
    virtual bool EcritImage(const std::string& chemin, const std::string& format, int largeur,
                            int hauteur, int octetsParLigne, const std::uint8_t* pixels) = 0;

    // The same for a picture's pixels as they are held (rows top-down), with
    // no other copy of the picture where the platform can encode them so;
    // here through the 24-bit rows EcritImage takes.
    virtual bool EcritPixels(const std::string& chemin, const std::string& format,
                             const PixelsImage& image) {
        const auto l = static_cast<std::size_t>(image.largeur);
        const auto h = static_cast<std::size_t>(image.hauteur);
        if (image.largeur <= 0 || image.hauteur <= 0 || image.pixels.size() != l * h) return false;
        const std::size_t pas = (l * 3 + 3) / 4 * 4;
        std::vector<std::uint8_t> rangees(pas * h);
        for (std::size_t y = 0; y < h; ++y) {
            std::uint8_t* r = rangees.data() + (h - 1 - y) * pas; // bottom-up
            for (std::size_t x = 0; x < l; ++x) {
                const std::uint32_t p = image.pixels[y * l + x];
                *r++ = static_cast<std::uint8_t>(p & 0xFF);
                *r++ = static_cast<std::uint8_t>((p >> 8) & 0xFF);
                *r++ = static_cast<std::uint8_t>((p >> 16) & 0xFF);
            }
        }
        return EcritImage(chemin, format, image.largeur, image.hauteur, static_cast<int>(pas),
                          rangees.data());
    }

    // Draws on a picture's pixels in place; false when it could not.
    virtual bool DessineImage(PixelsImage& image, const std::vector<DessinImage>& dessins) {
        (void)image;
        (void)dessins;
        return false;
    }
    // The font dialog (scalable fonts only), `proposee` shown as chosen;
    // nothing when cancelled.
    virtual std::optional<PoliceTexte> ChoisitPolice(const PoliceTexte& proposee) {
        (void)proposee;
        return std::nullopt;
    }

    // The mounted file systems: the root, the home folder, removable media.
    virtual std::vector<LecteurMonte> Lecteurs() = 0;
    // The names of the subfolders (`dossiers`) or of the files of `dossier`,
    // in no particular order; nothing when it cannot be read.
    virtual std::optional<std::vector<std::string>> ContenuDossier(const std::string& dossier,
                                                                   bool dossiers) = 0;
    // The screen's size in pixels; 0 x 0 when there is none.
    virtual TailleImage TailleEcran() = 0;
    // The user's documents or pictures folder (the desktop's, else the home
    // folder); empty when there is none.
    virtual std::string DossierUtilisateur(GenreDossier genre) {
        (void)genre;
        return {};
    }
};

} // namespace orv
