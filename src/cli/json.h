// JSON string escaping for the command line's output.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// Appends the text as a JSON string, quotes included, in UTF-8.
void lisaaJsonMerkkijono(std::string& kohde, std::u16string_view teksti);

}  // namespace kelvio
