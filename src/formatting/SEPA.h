// Grouping text into blocks: the IBAN and the RF reference.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "virhe.h"

namespace kelvio {

// Spaces removed, then blocks of koko characters from the left, single spaces
// between. A group size below 1 is an invalid argument (error 5): 0 would
// never shorten the rest. Traps its errors (6024, "SEPA"); "" on error.
inline constexpr Kutsupaikka FE_RYHMITTELE{6024, u"SEPA", u"fe_ryhmittele"};

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept;

}  // namespace kelvio
