// The Code 128 symbol of a bank barcode as a plain SVG at its print size.
#pragma once

#include <string>

namespace kelvio {

// The symbol of the 54 digits as SVG, sized by the bank barcode guide.
std::string viivakoodiSvg(const std::string& numerot);

}  // namespace kelvio
