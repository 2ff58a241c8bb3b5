// orvelle-cli's commands that measure from the picture itself: the spores
// of a picture found and measured on their outline (and written as a grid
// file), and the period of a micrometer's graduations along a line.
#pragma once

#include "cli/CommandesCli.h"

#include <optional>
#include <string>

namespace orv::cli {

// A rectangle of the picture, pixels from its top-left corner.
struct RegionCli {
    long x = 0, y = 0, largeur = 0, hauteur = 0;
};

struct OptionsDetection {
    std::string image;
    std::optional<double> echelle;     // --scale: micrometres per picture pixel
    std::optional<RegionCli> region;   // --region
    std::optional<double> longueurMin; // --min-length, in the output's unit
    std::optional<double> longueurMax; // --max-length
    std::optional<std::string> sortie; // -o: the grid file written
    bool remplace = false;             // --force: an existing grid file may be replaced
};

// orvelle-cli detect: one line per spore, in reading order,
// "x y length width Q angle score"; what was left out on standard error.
int CommandeDetecte(const OptionsSession& session, const OptionsDetection& options);

struct OptionsGraduations {
    std::string image;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // pixels from the picture's top-left corner
};

// orvelle-cli graduations: "period divisions spread"; exit 1 when the line
// finds no graduations or crosses fewer than two divisions.
int CommandeGraduations(const OptionsSession& session, const OptionsGraduations& options);

} // namespace orv::cli
