#include "koodisivu.h"

#include <array>

namespace kelvio {

namespace {
// 0x80..0x9F; the five unassigned codes map to themselves as C1 controls.
constexpr std::array<char16_t, 32> KORKEAT = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

std::uint8_t windows1252(char16_t merkki) noexcept {
  if (merkki < 0x80 || (merkki >= 0xA0 && merkki <= 0xFF)) {
    return static_cast<std::uint8_t>(merkki);
  }
  for (std::size_t i = 0; i < KORKEAT.size(); ++i) {
    if (KORKEAT[i] == merkki) {
      return static_cast<std::uint8_t>(0x80 + i);
    }
  }
  return static_cast<std::uint8_t>('?');
}

}  // namespace kelvio
