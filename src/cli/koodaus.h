// Fast UTF-16 to UTF-8 writers for the command line's output. Each writes at
// p and returns the new end; the caller reserves room (see VARA).
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvio {

// Bytes reserved per UTF-16 unit: a JSON escape "\u00XX" is the longest.
inline constexpr std::size_t VARA = 6;

// The text as UTF-8; a lone surrogate becomes U+FFFD.
char* kirjoitaUtf8(char* p, std::u16string_view teksti);
// The same, with every CR LF written as rv (at most two bytes).
char* kirjoitaRivit(char* p, std::u16string_view teksti, std::string_view rv);
// The body of a JSON string: quote, backslash and control characters escaped.
char* kirjoitaJson(char* p, std::u16string_view teksti);

}  // namespace kelvio
