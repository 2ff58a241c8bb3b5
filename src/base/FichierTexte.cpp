#include "base/FichierTexte.h"

#include "base/Cp1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

std::optional<std::vector<std::string>> LitLignesFichier(const std::string& chemin) {
    std::ifstream in(chemin, std::ios::binary);
    if (!in) return std::nullopt;
    return LitLignes(in);
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
    if (::lstat(chemin.c_str(), &ancien) == 0 && S_ISREG(ancien.st_mode)) {
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
    std::ifstream in(chemin, std::ios::binary);
    return static_cast<bool>(in);
}

} // namespace orv
