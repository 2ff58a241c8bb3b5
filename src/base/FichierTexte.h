// Reading and writing the program's text files: Windows-1252 bytes with CR LF
// line ends on disk (UTF-8 when a text holds a character that Windows-1252
// lacks), UTF-8 strings in memory. Writes are atomic: a temporary file of a
// unique name beside the target is written, synced and renamed over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct Ecriture {
    bool ok = true;
    std::string erreur; // why the write failed, for the user
    explicit operator bool() const { return ok; }
};

// Splits a text at CR LF, LF or a lone CR. A final line end does not make an
// empty last line.
std::vector<std::string> DecoupeLignes(std::string_view texte);

// Reads a whole stream of CP1252 (or UTF-8) text into UTF-8 lines.
std::vector<std::string> LitLignes(std::istream& in);

// Why a file was not read.
enum class DefautLecture {
    Aucun,
    Absent,       // no such file, or it cannot be opened
    PasOrdinaire, // a folder, a FIFO, a device...: reading it could block for ever
    TropGros,     // larger than the reader's cap
};

// The program's text files are small: a settings, recent-work or language
// file beyond this is not one (reading it would stall the start-up).
inline constexpr std::size_t LimiteFichierTexte = 4u << 20;
// Grid files and CSV exports hold at most a few thousand lines.
inline constexpr std::size_t LimiteFichierDonnees = 64u << 20;

struct LectureFichier {
    std::optional<std::string> octets;
    DefautLecture defaut = DefautLecture::Aucun;
    explicit operator bool() const { return octets.has_value(); }
};

// The bytes of a regular file of at most `limite` bytes. The file is opened
// without blocking and checked before a byte is read, so that a FIFO or a
// device put in a file's place never hangs the program.
LectureFichier LitFichier(const std::string& chemin, std::size_t limite);

// A descriptor of `chemin` opened for reading (close-on-exec), or -1 with the
// reason in `defaut`: the open never blocks and only a regular file is kept.
int OuvreDescripteurLecture(const std::string& chemin, DefautLecture* defaut = nullptr,
                            std::uint64_t* taille = nullptr);

// A regular file opened for reading as a stream (for readers that take only
// the start of a big file, such as picture headers); nothing for anything
// else, with the reason in `defaut`.
class FluxFichier {
public:
    static std::unique_ptr<FluxFichier> Ouvre(const std::string& chemin,
                                              DefautLecture* defaut = nullptr);
    virtual ~FluxFichier() = default;
    virtual std::istream& Flux() = 0;
    virtual std::uint64_t Taille() const = 0;
};

// The lines of a regular text file of at most `limite` bytes; nothing when
// it is missing, not a regular file or too big.
std::optional<std::vector<std::string>> LitLignesFichier(const std::string& chemin,
                                                         std::size_t limite = LimiteFichierTexte);

// Joins UTF-8 lines into the on-disk form, each line ended by CR LF:
// Windows-1252, or UTF-8 when a line holds a character that Windows-1252
// cannot write (a "?" would replace it for good; readers take a valid UTF-8
// file as such).
std::string TexteFichier(const std::vector<std::string>& lignes);

// Writes bytes to a file atomically: a temporary file of a unique name in the
// target's folder (created exclusively, never through a link), the replaced
// file's permissions, synced, renamed over the target, the folder synced.
// On any failure the temporary file is removed and the target left whole.
// A link at the target is replaced, never followed; a target that is neither
// a regular file nor a link (a FIFO, a device, a folder) is refused.
Ecriture EcritAtomique(const std::string& chemin, const std::string& octets);
// Writes UTF-8 lines as TexteFichier forms them, atomically.
Ecriture EcritLignesFichier(const std::string& chemin, const std::vector<std::string>& lignes);

// True when the file is a regular file that can be opened for reading (never
// blocks: a FIFO is not a file that exists for the program).
bool FichierExiste(const std::string& chemin);
// The file exists but is not a regular file (a FIFO, a device, a folder...).
bool PasFichierOrdinaire(const std::string& chemin);

} // namespace orv
