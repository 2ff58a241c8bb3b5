#include "base/FichierTexte.h"

#include "base/Cp1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

std::vector<std::string> DecoupeLignes(std::string_view texte) {
    std::vector<std::string> lignes;
    std::string courante;
    bool ouverte = false;
    for (size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == '\r' || c == '\n') {
            lignes.push_back(courante);
            courante.clear();
            ouverte = false;
            if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        } else {
            courante += c;
            ouverte = true;
        }
    }
    if (ouverte) lignes.push_back(courante);
    return lignes;
}

std::vector<std::string> LitLignes(std::istream& in) {
    std::string octets((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecoupeLignes(DepuisCp1252(octets));
}

namespace {

// Opens a regular file for reading. O_NONBLOCK makes the open itself return at
// once on a FIFO with no writer; the check on the opened file (not on its name)
// leaves no moment for a FIFO to be swapped in.
int OuvreOrdinaire(const std::string& chemin, DefautLecture& defaut, std::uint64_t& taille) {
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        defaut = DefautLecture::Absent;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        defaut = DefautLecture::PasOrdinaire;
        return -1;
    }
    // Reads of a regular file never block; the flag is cleared all the same.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    taille = static_cast<std::uint64_t>(st.st_size);
    defaut = DefautLecture::Aucun;
    return fd;
}

class FluxDescripteur final : public FluxFichier {
public:
    FluxDescripteur(int fd, std::uint64_t taille)
        : tampon_(fd, std::ios::in | std::ios::binary), flux_(&tampon_), taille_(taille) {}
    std::istream& Flux() override { return flux_; }
    std::uint64_t Taille() const override { return taille_; }

private:
    __gnu_cxx::stdio_filebuf<char> tampon_; // closes the descriptor
    std::istream flux_;
    std::uint64_t taille_;
};

} // namespace

int OuvreDescripteurLecture(const std::string& chemin, DefautLecture* defaut,
                            std::uint64_t* taille) {
    DefautLecture d = DefautLecture::Aucun;
    std::uint64_t t = 0;
    const int fd = OuvreOrdinaire(chemin, d, t);
    if (defaut) *defaut = d;
    if (taille) *taille = t;
    return fd;
}

LectureFichier LitFichier(const std::string& chemin, std::size_t limite) {
    LectureFichier r;
    std::uint64_t taille = 0;
    const int fd = OuvreOrdinaire(chemin, r.defaut, taille);
    if (fd < 0) return r;
    if (taille > limite) {
        ::close(fd);
        r.defaut = DefautLecture::TropGros;
        return r;
    }
    std::string octets;
    octets.reserve(static_cast<std::size_t>(taille));
    char bloc[65536];
    for (;;) {
        const ssize_t n = ::read(fd, bloc, sizeof bloc);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            r.defaut = DefautLecture::Absent;
            return r;
        }
        if (n == 0) break;
        // A file that grows while it is read is held to the same cap.
        if (octets.size() + static_cast<std::size_t>(n) > limite) {
            ::close(fd);
            r.defaut = DefautLecture::TropGros;
            return r;
        }
        octets.append(bloc, static_cast<std::size_t>(n));
    }
    ::close(fd);
    r.octets = std::move(octets);
    return r;
}

std::unique_ptr<FluxFichier> FluxFichier::Ouvre(const std::string& chemin, DefautLecture* defaut) {
    DefautLecture d = DefautLecture::Aucun;
    std::uint64_t taille = 0;
    const int fd = OuvreOrdinaire(chemin, d, taille);
    if (defaut) *defaut = d;
    if (fd < 0) return nullptr;
    return std::make_unique<FluxDescripteur>(fd, taille);
}

std::optional<std::vector<std::string>> LitLignesFichier(const std::string& chemin,
                                                         std::size_t limite) {
    const LectureFichier lu = LitFichier(chemin, limite);
    if (!lu) return std::nullopt;
    return DecoupeLignes(DepuisCp1252(*lu.octets));
}

std::string TexteFichier(const std::vector<std::string>& lignes) {
    std::string cp1252, utf8;
    for (const auto& l : lignes) {
        cp1252 += VersCp1252(l) + "\r\n";
        utf8 += l + "\r\n";
    }
    // The reader decides for the whole file: what it would read must be the text.
    return DepuisCp1252(cp1252) == utf8 ? cp1252 : utf8;
}

namespace {

std::string Dossier(const std::string& chemin) {
    const auto p = chemin.rfind('/');
    if (p == std::string::npos) return ".";
    return p == 0 ? "/" : chemin.substr(0, p);
}

// A new file of a unique name beside the target, never through a link that
// someone planted there: mkostemp opens with O_CREAT | O_EXCL, so an existing
// name, link or not, is never opened.
int CreeTemporaire(const std::string& chemin, std::string& temp) {
    const auto p = chemin.rfind('/');
    const std::string nom = p == std::string::npos ? chemin : chemin.substr(p + 1);
    temp =
        (p == std::string::npos ? std::string() : chemin.substr(0, p + 1)) + "." + nom + ".XXXXXX";
    return ::mkostemp(temp.data(), O_CLOEXEC);
}

bool EcritTout(int fd, const std::string& octets) {
    size_t ecrit = 0;
    while (ecrit < octets.size()) {
        const ssize_t n = ::write(fd, octets.data() + ecrit, octets.size() - ecrit);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        ecrit += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

Ecriture EcritAtomique(const std::string& chemin, const std::string& octets) {
    std::string temp;
    const int fd = CreeTemporaire(chemin, temp);
    if (fd < 0) return {false, chemin + " : " + std::strerror(errno)};
    // Every way out after this point removes the temporary file.
    const auto echec = [&](int fdOuvert) -> Ecriture {
        const std::string e = std::strerror(errno != 0 ? errno : EIO);
        if (fdOuvert >= 0) ::close(fdOuvert);
        ::unlink(temp.c_str());
        return {false, chemin + " : " + e};
    };
    // The replaced file keeps its permissions (an export made private stays
    // private); a new file gets the usual ones, less the umask.
    struct stat ancien {};
    mode_t mode = 0;
    const bool existe = ::lstat(chemin.c_str(), &ancien) == 0;
    // A FIFO or a device at the target is someone else's: it is never replaced.
    if (existe && !S_ISREG(ancien.st_mode) && !S_ISLNK(ancien.st_mode)) {
        ::close(fd);
        ::unlink(temp.c_str());
        return {false, chemin + " : " + std::strerror(S_ISDIR(ancien.st_mode) ? EISDIR : EPERM)};
    }
    if (existe && S_ISREG(ancien.st_mode)) {
        mode = ancien.st_mode & 07777;
    } else {
        const mode_t masque = ::umask(0);
        ::umask(masque);
        mode = 0666 & ~masque;
    }
    errno = 0;
    if (::fchmod(fd, mode) != 0 || !EcritTout(fd, octets) || ::fsync(fd) != 0) return echec(fd);
    if (::close(fd) != 0) return echec(-1);
    // rename replaces the name itself: a link at the target is replaced, never followed.
    if (::rename(temp.c_str(), chemin.c_str()) != 0) return echec(-1);
    // The new name must survive a power cut too.
    const int dossier = ::open(Dossier(chemin).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier >= 0) {
        ::fsync(dossier);
        ::close(dossier);
    }
    return {};
}

Ecriture EcritLignesFichier(const std::string& chemin, const std::vector<std::string>& lignes) {
    return EcritAtomique(chemin, TexteFichier(lignes));
}

bool FichierExiste(const std::string& chemin) {
    struct stat st {};
    return ::stat(chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(chemin.c_str(), R_OK) == 0;
}

bool PasFichierOrdinaire(const std::string& chemin) {
    struct stat st {};
    return ::stat(chemin.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

} // namespace orv
