// The command line's text forms: UTF-8 with the chosen line end, and JSON strings.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// Appends the text as UTF-8 with every CR LF written as rv; a lone surrogate
// becomes U+FFFD.
void lisaaRivit(std::string& kohde, std::u16string_view teksti, std::string_view rv);
// Appends the body of a JSON string: quote, backslash and control characters escaped.
void lisaaJson(std::string& kohde, std::u16string_view teksti);

}  // namespace kelvio
