// The 16-colour palette the program numbers its mark and button colours with
// (0 black ... 15 bright white), as &HBBGGRR values.
#pragma once

#include <cstdint>

namespace orv {

std::uint32_t CouleurPalette(int numero);

} // namespace orv
