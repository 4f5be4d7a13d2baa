// Grouping text into blocks: the IBAN and the RF reference.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "errors/virhe.h"

namespace kelvio {

// Spaces removed, then blocks of koko characters from the left, single spaces
// between. A group size below 1 is an invalid argument (error 5): 0 would
// never shorten the rest. Traps its errors (6024, "SEPA"); "" on error.
inline constexpr Kutsupaikka FE_RYHMITTELE{6024, u"SEPA", u"fe_ryhmittele"};

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept;

// The room that ryhmittele may need.
constexpr std::size_t ryhmittelynTila(std::size_t pituus, std::int16_t koko) {
  return koko < 1 ? 0 : pituus + pituus / static_cast<std::size_t>(koko);
}

// The same, written at p (with ryhmittelynTila of room); throws instead of
// trapping. Returns the end.
char16_t* ryhmittele(char16_t* p, std::u16string_view teksti, std::int16_t koko);

}  // namespace kelvio
