// Classes of characters that several layers test.
#pragma once

#include <string_view>

namespace kelvio {

constexpr bool onNumero(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// A text of capital letters A-Z and digits only (an IBAN, a BIC); empty is one.
constexpr bool kirjaimiaJaNumeroita(std::u16string_view t) {
  for (const char16_t c : t) {
    if (!onNumero(c) && !(c >= u'A' && c <= u'Z')) {
      return false;
    }
  }
  return true;
}

// A text of digits only; an empty text holds none, so it is not one.
constexpr bool numeroita(std::u16string_view t) {
  for (const char16_t c : t) {
    if (!onNumero(c)) {
      return false;
    }
  }
  return !t.empty();
}

}  // namespace kelvio
