// Escaping the terms of the error window's search query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

// Spaces become ";"; what is not a letter a-z/A-Z, a digit, ";", "." or "-"
// becomes "%" and the two hex digits of its 8-bit code.
std::u16string fe_urlkoodaa(std::u16string_view arvo);
std::u16string fe_urlkoodaa(std::nullptr_t);  // a null value gives ""

// Every occurrence of haku replaced, searching from the start after each
// replacement. When the replacement itself holds the search text that would
// never end, so the search then goes on after the inserted text.
std::u16string fe_korvaa(std::u16string_view teksti, std::u16string_view haku,
                         std::u16string_view korvaus);

// Two uppercase hex digits of a code 0-255.
std::u16string fe_heksa(std::uint8_t koodi);

}  // namespace kelvio
