// Reading a number from text that may use "." and "," as separators.
#pragma once

#include <string_view>

#include "virhe.h"

namespace kelvio {

// Every separator but the last is a thousands separator, the last one the
// decimal point; spaces are dropped, tabs and line feeds skipped. Then an
// optional sign, digits with an optional ".", and an optional exponent "E" or
// "e" (also "D" or "d") with at least one digit; an exponent letter without
// digits ends the number before it. "&H" and "&O" are not read: they give 0.
// Traps its errors (2000, "euro"); 0 on error.
inline constexpr Kutsupaikka FE_YLEISVAL{2000, u"euro", u"fe_yleisval"};

double fe_yleisval(std::u16string_view teksti) noexcept;

}  // namespace kelvio
