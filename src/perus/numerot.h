// Decimal digits appended to text, without locale.
#pragma once

#include <cstdint>
#include <string>

namespace kelvio {

// Appends the number in decimal, zero-padded to at least leveys digits;
// a negative number gets a "-" in front.
void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys = 1);

}  // namespace kelvio
