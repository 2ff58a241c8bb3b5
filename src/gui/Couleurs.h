// The program's colours are written &HBBGGRR (red in the low byte); Qt wants RGB.
#pragma once

#include <QColor>
#include <cstdint>

namespace orv {

inline QColor CouleurQt(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace orv
