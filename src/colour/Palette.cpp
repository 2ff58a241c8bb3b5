#include "colour/Palette.h"

#include <array>

namespace orv {

std::uint32_t CouleurPalette(int numero) {
    static constexpr std::array<std::uint32_t, 16> kPalette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return kPalette[static_cast<unsigned>(numero) & 15u];
}

} // namespace orv
