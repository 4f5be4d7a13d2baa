// Decimal digits appended to text, without locale or allocation beyond the target.
#pragma once

#include <cstdint>
#include <string>

namespace kelvio {

// Appends the number in decimal, zero-padded to at least leveys digits;
// a negative number gets a "-" in front.
void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys = 1);

// The same written at p, which has room for LUVUN_TILA characters; returns the end.
inline constexpr std::size_t LUVUN_TILA = 21;
char16_t* kirjoitaLuku(char16_t* p, std::int64_t luku, int leveys = 1);

}  // namespace kelvio
