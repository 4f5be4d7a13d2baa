// The characters of an 8-bit character set, by the name that an XML
// declaration or an EPC QR code's character set gives it ("ISO-8859-15",
// "windows-1252"). The table comes from the system's own converter, so that
// no code page is written out by hand.
#pragma once

#include <array>
#include <string_view>

namespace kelvio {

// The Unicode code point of each byte; EI_MERKKIA where the byte is none.
using Merkistotaulu = std::array<char32_t, 256>;
inline constexpr char32_t EI_MERKKIA = 0xFFFFFFFF;

// False when the system does not know the name or the set is not one byte
// a character (a multibyte set such as Shift_JIS).
bool yksitavuinenMerkisto(std::string_view nimi, Merkistotaulu& taulu);

}  // namespace kelvio
