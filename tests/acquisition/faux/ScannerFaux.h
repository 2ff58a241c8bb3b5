// A scanner of our own, as SANE loads a backend (libsane-orvfaux.so.1): one
// device, "orvfaux:0", whose frames the file orvfaux.conf of the SANE
// configuration folder describes, "rgb|gris|passes DEPTH WIDTH LINES":
// one RGB frame, one grey frame, or the red, green and blue frames of a
// three-pass device. Sample (x, y) of channel c is ValeurFaux(x, y, c) at 16
// bits (in the machine's byte order, as SANE sends them), its high byte at 8.
#pragma once

#include <cstdint>

namespace orv::test {

// The two bytes differ, and so do the channels and the pixels.
constexpr std::uint16_t ValeurFaux(int x, int y, int canal) {
    return static_cast<std::uint16_t>((0x10 * (canal + 1) + x) << 8 | (0x40 + y));
}

} // namespace orv::test
