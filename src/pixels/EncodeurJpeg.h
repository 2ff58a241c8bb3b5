// A picture written as the bytes of a JPEG file with libjpeg-turbo, straight
// from its rows as they lie (0xFFRRGGBB words): no second copy of a picture
// of 100 megapixels is made to encode it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orv {

// `ligne(y)` gives row y (0 at the top, `largeur` pixels); nothing when the
// library is missing or fails.
std::optional<std::string> EncodeJpeg(int largeur, int hauteur,
                                      const std::function<const std::uint32_t*(int y)>& ligne,
                                      int qualite);

} // namespace orv
