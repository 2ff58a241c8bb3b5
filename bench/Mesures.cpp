#include "Mesures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace orv::banc {

namespace {

double ChampStatus(const char* champ) {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    const std::string cle = std::string(champ) + ":";
    while (std::getline(f, ligne))
        if (ligne.rfind(cle, 0) == 0) return std::atof(ligne.c_str() + cle.size()) / 1024;
    return 0;
}

} // namespace

double Mediane(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double Centile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto rang = static_cast<std::size_t>(std::ceil(p / 100 * static_cast<double>(v.size())));
    return v[std::clamp<std::size_t>(rang, 1, v.size()) - 1];
}

double TempsProcesseurMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double PicMemoireMo() {
    return ChampStatus("VmHWM");
}

double MemoireMo() {
    return ChampStatus("VmRSS");
}

void Affiche(const std::string& nom, double valeur, const char* unite) {
    std::printf("%s %.2f %s\n", nom.c_str(), valeur, unite);
    std::fflush(stdout);
}

} // namespace orv::banc
