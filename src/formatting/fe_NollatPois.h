// Removing leading zeros: references and the tail of a domestic account.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// The text without its leading "0" characters. No trap: a failure (out of
// memory) reaches the caller.
std::u16string fe_NollatPois(std::u16string_view teksti);

}  // namespace kelvio
