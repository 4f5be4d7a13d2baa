// The texts that se_Pulma shows and logs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

// The six-line error text.
std::u16string virheteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                           std::u16string_view moduuli, std::u16string_view rutiini);

// The one-line search query text.
std::u16string kyselyteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                            std::u16string_view moduuli, std::u16string_view rutiini);

}  // namespace kelvio
