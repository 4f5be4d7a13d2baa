// What a page prints for people beside its codes: the recipient's IBANs and
// the amounts, so that the codes can be compared with them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvio {

// The Finnish IBANs of a line: FI, two check digits and 14 digits, with or
// without single spaces between groups, not glued to a letter or digit.
// Without spaces, in order.
std::vector<std::string> tulostetutTilit(std::string_view rivi);

// The amounts of a line in cents: digits with two decimals after "," or "."
// ("1 500,00", "1.500,00", "1500.00"; groups of three parted by a space, a
// no-break space or "."), or whole euros beside "€" or "EUR" ("1 500 €").
// Where the grouping could begin at several places, each reading is given.
std::vector<std::int64_t> tulostetutSummat(std::string_view rivi);

}  // namespace kelvio
