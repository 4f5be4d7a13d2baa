// Removing leading zeros: references and the tail of a domestic account.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// The text without its leading "0" characters; no trap, raises nothing itself.
std::u16string fe_NollatPois(std::u16string_view teksti);

constexpr std::u16string_view nollatPois(std::u16string_view teksti) noexcept {
  const std::size_t alku = teksti.find_first_not_of(u'0');
  return alku == std::u16string_view::npos ? std::u16string_view{} : teksti.substr(alku);
}

}  // namespace kelvio
