#include "acquisition/ListeSources.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace orv {

namespace {

constexpr std::string_view kPrefixeCamera = "camera:";

std::string Champ(std::string s) {
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return s;
}

} // namespace

std::string EcritSources(const std::vector<SourceAcquisition>& sources) {
    std::string texte;
    for (const auto& s : sources) texte += Champ(s.nom) + '\t' + Champ(s.description) + '\n';
    return texte;
}

std::string NomCamera(const std::string& identifiant) {
    return std::string(kPrefixeCamera) + identifiant;
}

bool EstCamera(const std::string& source) {
    return source.starts_with(kPrefixeCamera);
}

std::string IdentifiantCamera(const std::string& source) {
    return EstCamera(source) ? source.substr(kPrefixeCamera.size()) : std::string();
}

std::vector<SourceAcquisition> LitSources(const std::string& texte) {
    std::vector<SourceAcquisition> sources;
    std::istringstream lignes(texte);
    for (std::string ligne; std::getline(lignes, ligne);) {
        const auto tab = ligne.find('\t');
        SourceAcquisition s{ligne.substr(0, tab),
                            tab == std::string::npos ? std::string() : ligne.substr(tab + 1)};
        if (!s.nom.empty()) sources.push_back(std::move(s));
    }
    return sources;
}

} // namespace orv
