// Windows-1252: the 8-bit code page where the system has none of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

// The code of the character, or that of "?" when it has none.
std::uint8_t windows1252(char16_t merkki) noexcept;

}  // namespace kelvio
