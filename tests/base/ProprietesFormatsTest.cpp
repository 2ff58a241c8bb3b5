// Every file format, read then written then read again, gives back the same
// state: the fuzz targets' properties, run here over the seed files of
// tests/data/<format>/ and a fixed set of their mutations. The fuzzers run
// the same properties far longer (scripts/fuzz.sh).
#include "Commun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Graines(const std::string& format) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(fs::path(ORVELLE_TEST_DATA) / format)) {
        std::ifstream in(e.path(), std::ios::binary);
        r.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return r;
}

// A mutation of the kind that breaks files: bytes changed, inserted or cut,
// lines doubled, tokens of the formats dropped in.
std::string Mute(std::string s, std::mt19937& g) {
    static const char* const jetons[] = {"=",           ";",         "\r\n",    "\n",
                                         " ",           "LISTE=",    "TRAME= ", "NBLIGNES= 2",
                                         "NBIMAGES= 1", "1e999",     "1e-400",  "-",
                                         "0",           "51",        "é",       "写真",
                                         "\x81",        "; ; ; ; ;", ","};
    const int n = std::uniform_int_distribution<int>(1, 4)(g);
    for (int i = 0; i < n && !s.empty(); ++i) {
        const size_t pos = std::uniform_int_distribution<size_t>(0, s.size() - 1)(g);
        switch (std::uniform_int_distribution<int>(0, 4)(g)) {
        case 0:
            s[pos] = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(g));
            break;
        case 1:
            s.insert(pos,
                     jetons[std::uniform_int_distribution<size_t>(0, std::size(jetons) - 1)(g)]);
            break;
        case 2:
            s.erase(pos, std::uniform_int_distribution<size_t>(1, 20)(g));
            break;
        default: { // a line doubled
            const size_t debut = s.rfind('\n', pos), fin = s.find('\n', pos);
            const size_t a = debut == std::string::npos ? 0 : debut + 1;
            const size_t b = fin == std::string::npos ? s.size() : fin + 1;
            s.insert(a, s.substr(a, b - a));
        }
        }
    }
    return s;
}

void Verifie(const std::string& format, int (*propriete)(const std::uint8_t*, std::size_t)) {
    fuzz::surEchec = [](const char* quoi) { throw std::runtime_error(quoi); };
    const auto graines = Graines(format);
    ASSERT_FALSE(graines.empty()) << format;
    std::mt19937 g(20240917);
    for (const auto& graine : graines)
        for (int i = 0; i < 400; ++i) {
            const std::string x = i == 0 ? graine : Mute(graine, g);
            try {
                propriete(reinterpret_cast<const std::uint8_t*>(x.data()), x.size());
            } catch (const std::runtime_error& e) {
                ADD_FAILURE() << format << ": " << e.what() << " for:\n" << x;
                return;
            }
        }
}

TEST(ProprietesFormats, AllerRetourDesGrainesEtDeLeursMutations) {
    Verifie("trame", fuzz::ProprieteTrame);
    Verifie("csv", fuzz::ProprieteCSV);
    Verifie("parametres", fuzz::ProprieteParametres);
    Verifie("calibrage", fuzz::ProprieteCalibrage);
    Verifie("images", fuzz::ProprieteEnteteImage);
}

} // namespace
} // namespace orv
