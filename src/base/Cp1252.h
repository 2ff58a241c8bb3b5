// Conversion between the program's UTF-8 strings and the 8-bit Windows-1252
// text that every file it writes or reads uses.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// UTF-8 -> Windows-1252. Characters with no CP1252 byte become '?'. The five
// bytes the code page leaves undefined (read as U+0081, U+008D...) go back to
// themselves.
std::string VersCp1252(std::string_view utf8);

// Windows-1252 -> UTF-8. Bytes already forming valid UTF-8 multi-byte sequences
// are kept when the whole text is valid UTF-8 and holds at least one such
// sequence (files saved by a UTF-8 editor), otherwise every byte is CP1252.
std::string DepuisCp1252(std::string_view octets);

// True when the text is valid UTF-8.
bool EstUtf8Valide(std::string_view s);

} // namespace orv
