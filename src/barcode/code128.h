// Code 128 as the bank barcode prints it: start character C, the digits in
// pairs, the check character and the stop pattern.
#pragma once

#include <string_view>
#include <vector>

namespace kelvio {

// The widths of the elements in modules, bar first, then space, bar and so
// on, ending with the stop pattern's last bar; quiet zones are the caller's.
// The digits are an even number of "0".."9".
std::vector<int> code128C(std::string_view numerot);

}  // namespace kelvio
