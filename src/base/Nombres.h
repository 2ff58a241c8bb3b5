// Numbers as the program shows and stores them: the display patterns
// ("###0.00", "00000.0000"...), the default text form, the form written into
// settings and calibration files, and the tolerant reader that accepts either
// decimal separator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Formats with a pattern of '#', '0' and at most one '.': the '0's before the
// point give the minimum count of integer digits, the '0's after it the count of
// decimals. Rounds half away from zero on the 15-digit decimal value, so 0.125
// with "0.00" gives "0.13". `separateur` is written for the point.
std::string FormatNombre(double valeur, std::string_view motif, char separateur);

// Default text form: up to 15 significant digits, no trailing zeros, "0" before
// the separator of a number below 1, E notation outside 1E-5 .. 1E15.
std::string TexteNombre(double valeur, char separateur);

// Form written into settings and calibration files: a leading blank unless the
// number is negative, the default text form, a trailing blank.
std::string NombreFichier(double valeur, char separateur);
// The same with every digit the number needs to read back identical (up to 17
// significant digits), for the factors that files keep: plain decimals, E
// notation outside 1E-5 .. 1E15.
std::string NombreFichierExact(double valeur, char separateur);

// Reads a number whose decimal separator may be ',' or '.': leading blanks are
// skipped and reading stops at the first character that cannot continue the
// number. A text without a number gives 0. A number too small for a double
// reads as 0; one too large is no number (0 here, nothing below).
double LitDecimal(std::string_view texte);

// Strict reading: the whole trimmed text must be a number (',' or '.'
// accepted); nothing otherwise.
std::optional<double> LitNombreStrict(std::string_view texte);
// Strict reading of a whole integer; nothing when the text is not an integer
// or does not fit.
std::optional<long> LitEntierStrict(std::string_view texte);

// A double rounded to the nearest 32-bit integer, halves away from zero. A value
// beyond the range (an infinity too) gives the nearest end of it; NaN gives 0.
std::int32_t Arrondi32(double v);

} // namespace orv
