// UTF-8 at the edges; the core works in UTF-16.
#pragma once

#include <cstddef>
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

// The bytes of a POSIX path (or of an argument) without loss: valid UTF-8 as
// text, and each byte that is not as a lone surrogate U+DC80-U+DCFF, which
// polunTavuiksi turns back into that byte. A Latin-1 folder name stays the
// folder it names.
std::u16string polkuTekstiksi(std::string_view tavut);
std::string polunTavuiksi(std::u16string_view polku);

}  // namespace kelvio
