// The command line's text forms: UTF-8 with the chosen line end, and JSON strings.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// Appends a report for a terminal: UTF-8 with every CR LF written as rv. A
// control character (C0 but tab, DEL, C1), which only the input can bring,
// and a lone surrogate become U+FFFD, so that no input sends escapes.
void lisaaRaportti(std::string& kohde, std::u16string_view teksti, std::string_view rv);
// Appends the body of a JSON string: quote, backslash and control characters escaped.
void lisaaJson(std::string& kohde, std::u16string_view teksti);

}  // namespace kelvio
