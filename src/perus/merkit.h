// Classes of characters that several layers test.
#pragma once

namespace kelvio {

constexpr bool onNumero(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace kelvio
