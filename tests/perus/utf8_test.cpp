// Reading UTF-8: each byte that starts no valid sequence becomes U+FFFD on
// its own; overlong forms, surrogates and code points past U+10FFFF are not
// valid; a valid sequence after an invalid byte is read as itself.
#include <gtest/gtest.h>

#include <string>

#include "utf8.h"

namespace kelvio {
namespace {

TEST(Utf8, Lukeminen) {
  const std::pair<std::string, std::u16string> rivit[] = {
      {"a\xff"
       "b",
       u"a\uFFFDb"},
      {"\xC0\x80", u"\uFFFD\uFFFD"},                      // overlong NUL
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},            // overlong, three bytes
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE2\x82", u"\uFFFD\uFFFD"},                      // cut short
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},              // a surrogate pair
      {"\xC3\xA4\x80\xC3\xA4", u"\u00E4\uFFFD\u00E4"},  // a stray continuation byte
      {"12345678\xff", u"12345678\uFFFD"},              // after a block of eight ASCII bytes
  };
  for (const auto& [tavut, odotettu] : rivit) {
    EXPECT_EQ(utf16ksi(tavut), odotettu) << tavut;
  }
}

}  // namespace
}  // namespace kelvio
