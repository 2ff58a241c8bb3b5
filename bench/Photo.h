// The made photographs orvelle-bench measures with (bench/mesure.sh makes
// them at 24, 45 and 100 megapixels).
#pragma once

#include <string>

namespace orv::banc {

bool EcritPhoto(int largeur, int hauteur, const std::string& chemin);

} // namespace orv::banc
