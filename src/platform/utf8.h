// UTF-8 at the edges; the core works in UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// Appends the UTF-16 text as UTF-8; a lone surrogate becomes U+FFFD.
void utf8ksi(std::string& kohde, std::u16string_view teksti);
std::string utf8ksi(std::u16string_view teksti);

// Appends the UTF-8 bytes as UTF-16; every byte that does not belong to a
// valid sequence becomes U+FFFD and the rest is kept.
void utf16ksi(std::u16string& kohde, std::string_view tavut);
std::u16string utf16ksi(std::string_view tavut);

}  // namespace kelvio
