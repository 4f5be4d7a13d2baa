// The QR code of an EPC payload as a plain SVG at its print size.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// False in a build without a QR library (then nothing can be drawn).
bool qrKaytettavissa();

// The symbol at error correction level M, in byte mode, with its quiet zone
// of four modules; "" when the payload does not fit in version 13.
std::string qrSvg(std::string_view sisalto);

}  // namespace kelvio
