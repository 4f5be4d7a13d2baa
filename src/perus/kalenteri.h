// Proleptic Gregorian calendar arithmetic on day numbers (0 = 1970-01-01).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvio {

struct Paivays {
  std::int32_t vuosi = 2000;
  std::int32_t kuukausi = 1;
  std::int32_t paiva = 1;
};

struct Kellonaika {
  std::int32_t tunti = 0;
  std::int32_t minuutti = 0;
  std::int32_t sekunti = 0;
};

std::int64_t paivanumero(std::int64_t vuosi, std::int64_t kuukausi, std::int64_t paiva) noexcept;
Paivays paivays(std::int64_t paivanumero) noexcept;
// 0 = Monday ... 6 = Sunday.
int viikonpaiva(const Paivays& pvm) noexcept;

// The 1st of January of the year, moved by (month - 1) months and (day - 1) days.
// Out-of-range months and days carry into the neighbouring months and years.
Paivays siirraPaivays(std::int64_t vuosi, std::int64_t kuukausi, std::int64_t paiva) noexcept;

// yyyy-mm-dd that names a real day; none for any other text.
std::optional<Paivays> isoPaivays(std::u16string_view teksti) noexcept;

}  // namespace kelvio
