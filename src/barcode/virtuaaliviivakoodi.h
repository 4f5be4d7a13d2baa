// Printed virtual barcodes in a text: the 54 digits that a payer may type,
// printed on one line with or without spaces between groups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvio {

// Every virtual barcode in the UTF-8 text, in order: runs of digit groups
// on one line, separated by spaces (ASCII or no-break), whose digits
// together are exactly 54 and begin with 2, 4 or 5. A group is never split,
// so a digit run that is longer, or that leans on more digits, is no code.
std::vector<std::string> etsiVirtuaaliviivakoodit(std::string_view teksti);

}  // namespace kelvio
