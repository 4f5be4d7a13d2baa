// The error handler: tells the user and logs the error of the current-error record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

void se_Pulma(std::int16_t kutsurivi, std::u16string_view moduuli,
              std::u16string_view rutiini) noexcept;

// The six-line error text.
std::u16string virheteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                           std::u16string_view moduuli, std::u16string_view rutiini);

// The one-line search query text.
std::u16string kyselyteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                            std::u16string_view moduuli, std::u16string_view rutiini);

}  // namespace kelvio
