// Windows-1252, the code page of the error report where the system has none.
#include <gtest/gtest.h>

#include "koodisivu.h"

namespace kelvio {
namespace {

// ASCII and Latin-1's upper half are themselves; 0x80..0x9F are the code
// page's own (its published table), the five codes it leaves unassigned stay
// C1 controls; a character outside the code page is "?".
TEST(Windows1252, Koodit) {
  for (int k = 0; k < 256; ++k) {
    if (k < 0x80 || k >= 0xA0) {
      EXPECT_EQ(windows1252(static_cast<char16_t>(k)), k) << k;
    }
  }
  constexpr char16_t KORKEAT[32] = {u'€', 0x81, u'‚', u'ƒ', u'„', u'…', u'†', u'‡',
                                    u'ˆ', u'‰', u'Š', u'‹', u'Œ', 0x8D, u'Ž', 0x8F,
                                    0x90, u'‘', u'’', u'“', u'”', u'•', u'–', u'—',
                                    u'˜', u'™', u'š', u'›', u'œ', 0x9D, u'ž', u'Ÿ'};
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(windows1252(KORKEAT[i]), 0x80 + i) << i;
  }
  for (const char16_t c : {u'Ā', u'ő', u'\u0080', u'\u2000', u'\uFFFD', char16_t{0xD800}}) {
    EXPECT_EQ(windows1252(c), '?') << static_cast<int>(c);
  }
}

}  // namespace
}  // namespace kelvio
