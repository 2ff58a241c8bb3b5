// Figures of the work done on a picture besides viewing it.
#pragma once

#include "app/Orvelle.h"

#include <string>

namespace orv::banc {

// Drawing a scale bar and its label on a full-size copy of that size (the
// drawing alone), median of `repetitions`, in ms.
double DessinCopie(Orvelle& o, int largeur, int hauteur, int repetitions);
// A colour sample of the picture shown (`chemin`, of `taille`), ms.
double EchantillonCouleur(Orvelle& o, const std::string& chemin, TailleImage taille,
                          int repetitions);
// A grid of 255 measures read back from its file, then exported; prints both.
void GrilleRelueEtExportee(Plateforme& p, int repetitions);

} // namespace orv::banc
