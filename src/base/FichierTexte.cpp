#include "base/FichierTexte.h"

#include "base/Cp1252.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
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
    std::string out;
    for (const auto& l : lignes) {
        out += VersCp1252(l);
        out += "\r\n";
    }
    return out;
}

Ecriture EcritAtomique(const std::string& chemin, const std::string& octets) {
    const std::string temp = chemin + ".tmp~";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return {false, chemin + " : " + std::strerror(errno)};
    size_t ecrit = 0;
    while (ecrit < octets.size()) {
        const ssize_t n = ::write(fd, octets.data() + ecrit, octets.size() - ecrit);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string e = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return {false, chemin + " : " + e};
        }
        ecrit += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string e = std::strerror(errno);
        ::unlink(temp.c_str());
        return {false, chemin + " : " + e};
    }
    if (std::rename(temp.c_str(), chemin.c_str()) != 0) {
        const std::string e = std::strerror(errno);
        ::unlink(temp.c_str());
        return {false, chemin + " : " + e};
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
