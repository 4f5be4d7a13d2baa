// Domestic account number from machine form to national form.
#pragma once

#include <string>
#include <string_view>

#include "virhe.h"

namespace kelvio {

// "12345600000785" -> "123456-785". Traps its errors (2043, "RsKTL"); "" on error.
inline constexpr Kutsupaikka NORMTILI{2043, u"RsKTL", u"NormTili"};

std::u16string NormTili(std::u16string_view tili) noexcept;

}  // namespace kelvio
