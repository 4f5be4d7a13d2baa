// Reading a number from text that may use "." and "," as separators.
#pragma once

#include <cstdint>
#include <string_view>

#include "errors/virhe.h"

namespace kelvio {

// Every separator but the last is a thousands separator, the last one the
// decimal point; spaces are dropped, tabs and line feeds skipped. Then an
// optional sign, digits with an optional ".", and an optional exponent "E" or
// "e" (also "D" or "d") with at least one digit; an exponent letter without
// digits ends the number before it. "&H" and "&O" are not read: they give 0.
// Traps its errors (2000, "euro"); 0 on error.
inline constexpr Kutsupaikka FE_YLEISVAL{2000, u"euro", u"fe_yleisval"};

double fe_yleisval(std::u16string_view teksti) noexcept;

// Barcode fields are plain digits: read them exactly, without the general
// reader. False when the text is not 1 to 15 digits.
inline bool luePelkatNumerot(std::u16string_view teksti, double& arvo) noexcept {
  if (teksti.empty() || teksti.size() > 15) {
    return false;
  }
  std::int64_t luku = 0;
  for (const char16_t c : teksti) {
    if (c < u'0' || c > u'9') {
      return false;
    }
    luku = luku * 10 + (c - u'0');
  }
  arvo = static_cast<double>(luku);
  return true;
}

// fe_yleisval with the plain-digit case inlined for the interpretation.
inline double yleisvalNopea(std::u16string_view teksti) noexcept {
  double arvo = 0;
  return luePelkatNumerot(teksti, arvo) ? arvo : fe_yleisval(teksti);
}

// The same; throws instead of trapping.
double yleisval(std::u16string_view teksti);

}  // namespace kelvio
