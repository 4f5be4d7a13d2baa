#include <gtest/gtest.h>

#include <string>

#include "RsKTL.h"
#include "SEPA.h"
#include "euro.h"
#include "fe_NollatPois.h"
#include "kuviot.h"
#include "testialusta.h"
#include "utf8.h"

namespace kelvio {
namespace {

using testi::TestiAlusta;

using testi::u8;

// What se_Pulma was given, read back from the error text.
struct Odotettu {
  const char* rivi4;
  const char* rivi5;
  const char* rivi6;
};

void odotaPulma(const TestiAlusta& a, const std::string& virhe, const Odotettu& o) {
  ASSERT_EQ(a.pulmat.size(), 1U);
  const std::string t = u8(a.pulmat[0].teksti);
  EXPECT_EQ(t, virhe + "\r\n\r\n" + o.rivi4 + "\r\n" + o.rivi5 + "\r\n" + o.rivi6);
  // The trap resets the pointer before the handler runs.
  ASSERT_FALSE(a.tapahtumat.empty());
  EXPECT_EQ(u8(a.tapahtumat.front()), "hiiri");
}

constexpr Odotettu SEPA{"Kutsurivi      6024", "Moduulista   SEPA", "Rutiinista     fe_ryhmittele"};
constexpr Odotettu RSKTL{"Kutsurivi      2043", "Moduulista   RsKTL", "Rutiinista     NormTili"};
constexpr Odotettu EURO{"Kutsurivi      2000", "Moduulista   euro", "Rutiinista     fe_yleisval"};

struct Ryhmitys {
  const char16_t* teksti;
  std::int16_t koko;
  const char* odotettu;
};

TEST(FeRyhmittele, Taulukko) {
  const Ryhmitys rivit[] = {
      {u"FI2112345600000785", 4, "FI21 1234 5600 0007 85"},
      {u"FI21 1234 5600 0007 85", 4, "FI21 1234 5600 0007 85"},
      {u"RF18539007547034", 4, "RF18 5390 0754 7034"},
      {u"ABC", 4, "ABC"},
      {u"ABCD", 4, "ABCD"},
      {u"ABCDE", 4, "ABCD E"},
      {u"", 4, ""},
      {u"    ", 4, ""},
      {u" A B ", 1, "A B"},
      {u"AB\tCD", 2, "AB \tC D"},
      {u"ABCDEFG", 3, "ABC DEF G"},
      {u"ABC", 32767, "ABC"},
      {u"ABCDEFGH", 4, "ABCD EFGH"},  // a multiple of the size ends with a full block
      {u"ABC", 1, "A B C"},
      {u"AB\u00A0CD", 2, "AB \u00A0C D"},  // only U+0020 is a space
      {u"AB\u3000CD", 2, "AB \u3000C D"},
      // Spaces already in the text go first, wherever they stand: they are
      // no block boundaries of their own.
      {u"AB CD EF", 4, "ABCD EF"},
      {u"FI2 11234 56", 4, "FI21 1234 56"},
      {u"A  B", 4, "AB"},
      {u"ABCD EFGH", 2, "AB CD EF GH"},
      {u"ABC D", 4, "ABCD"},
  };
  for (const auto& r : rivit) {
    TestiAlusta a;
    EXPECT_EQ(u8(fe_ryhmittele(r.teksti, r.koko)), r.odotettu) << u8(r.teksti) << " / " << r.koko;
    EXPECT_TRUE(a.pulmat.empty()) << u8(r.teksti);
  }
}

TEST(FeRyhmittele, VirheetPalauttavatTyhjan) {
  struct Rivi {
    std::u16string teksti;
    std::int16_t koko;
    const char* virhe;
  };
  const Rivi rivit[] = {
      {u"ABC", -1, "Invalid procedure call or argument\r\n(virhe 5)"},
      {u"ABC", 0, "Invalid procedure call or argument\r\n(virhe 5)"},
      {std::u16string(32767, u'1'), 4, "Overflow\r\n(virhe 6)"},
      // The space removal of step 1 overflows before the group size is used.
      {std::u16string(32767, u'1'), -1, "Overflow\r\n(virhe 6)"},
      // The limit counts the text as given, spaces too.
      {std::u16string(32767, u' '), 4, "Overflow\r\n(virhe 6)"},
  };
  for (const auto& r : rivit) {
    TestiAlusta a;
    EXPECT_EQ(fe_ryhmittele(r.teksti, r.koko), u"") << r.koko;
    odotaPulma(a, r.virhe, SEPA);
  }
  TestiAlusta a;
  EXPECT_EQ(fe_ryhmittele(std::u16string(32766, u'1'), 32766).size(), 32766U);
  EXPECT_TRUE(a.pulmat.empty());
}

TEST(FeNollatPois, Taulukko) {
  const std::pair<const char16_t*, const char*> rivit[] = {
      {u"00000000000000012345", "12345"},
      {u"000", ""},
      {u"0 12", " 12"},
      {u"120", "120"},
      {u"", ""},
      {u"0000", ""},
      {u"0A0", "A0"},
      {u"\t01", "\t01"},          // any other first character ends the removal
      {u"O01", "O01"},            // the letter O is no zero
      {u"00\uFF101", "\uFF101"},  // nor is a full-width zero
  };
  for (const auto& [teksti, odotettu] : rivit) {
    EXPECT_EQ(u8(fe_NollatPois(teksti)), odotettu) << u8(teksti);
  }
}

TEST(NormTiliTest, Taulukko) {
  const std::pair<const char16_t*, const char*> rivit[] = {
      {u"12345600000785", "123456-785"},  {u"42345670000081", "423456-781"},
      {u"50000120000345", "500001-2345"}, {u"12345600100785", "123456-100785"},
      {u"12345600000000", "123456-"},     {u"123456", "123456-"},
      {u"1234567", "123456-7"},           {u"4234567", "423456-7"},
      {u"50000000000000", "500000-0"},    {u"ABCDEFGH", "ABCDEF-GH"},
  };
  for (const auto& [teksti, odotettu] : rivit) {
    TestiAlusta a;
    EXPECT_EQ(u8(NormTili(teksti)), odotettu) << u8(teksti);
    EXPECT_TRUE(a.pulmat.empty()) << u8(teksti);
  }
  // Each first digit: only 4 and 5 keep the seventh digit before the zeros.
  for (char16_t d = u'0'; d <= u'9'; ++d) {
    const std::u16string tili = d + std::u16string(u"2345670000081");
    const std::string alku = u8(tili.substr(0, 6)) + "-";
    EXPECT_EQ(u8(NormTili(tili)), alku + (d == u'4' || d == u'5' ? "781" : "70000081")) << u8(tili);
  }
}

TEST(NormTiliTest, LiianLyhytOnVirhe) {
  for (const char16_t* teksti : {u"", u"12345", u"423456", u"5"}) {
    TestiAlusta a;
    EXPECT_EQ(NormTili(teksti), u"") << u8(teksti);
    odotaPulma(a, "Invalid procedure call or argument\r\n(virhe 5)", RSKTL);
  }
}

TEST(FeYleisval, Taulukko) {
  const std::u16string nollia(400, u'0');
  const std::pair<std::u16string, double> rivit[] = {
      {u"00012345", 12345},
      {u"07", 7},
      {u"1234,56", 1234.56},
      {u"1 234,56", 1234.56},
      {u"1.234,56", 1234.56},
      {u"1,234.56", 1234.56},
      {u"1.000.000", 1000},
      {u"12,50 mk", 12.5},
      {u"-3,5", -3.5},
      {u"", 0},
      {u"abc", 0},
      {u"x12", 0},
      {u"1,000", 1},
      {u"1.000", 1},
      {u"1,000,000", 1000},
      {u".5", 0.5},
      {u"5.", 5},
      {u"+7", 7},
      {u"1e3", 1000},
      {u"1E+3", 1000},
      {u"25E-1", 2.5},
      {u"1D2", 100},
      {u"5E", 5},
      {u"5e+", 5},
      {u"\t1\n2", 12},
      {u"-", 0},
      {u".", 0},
      {u"&H10", 0},
      {u"&O7", 0},
      {u"1e-400", 0},
      {u"--5", 0},
      {u"99999999", 99999999},
      {u"1 2 3", 123},
      {u"0.0000000000000000000000001e25", 1},
      {u"1,5E1", 15},
      {u"12#5", 12},  // reading stops at the first character it cannot use
      // The separators are counted over the whole text, past a letter too.
      {u"1,2x3.4", 12},
      {u"1.2,3", 12.3},
      // Only U+0020 is dropped and only tab and line feed skipped: other
      // blanks end the number.
      {u"1\u00A0234", 1},
      {u"1\r2", 1},
      {u"1\v2", 1},
      {u"1\f2", 1},
      {u"\t-\n5", -5},
      {u"1E\t2", 100},
      {u"1\t.\n5", 1.5},
      {u"+-5", 0},
      // 32,766 characters are the most, spaces counted.
      {std::u16string(32765, u'0') + u"7", 7},
      {std::u16string(32765, u' ') + u"7", 7},
      // Tiny numbers read as zero, however many digits they are written with.
      {u"0," + nollia + u"1", 0},
      {nollia + u"1E-400", 0},
      {u"0," + nollia + u"1E5", 0},
  };
  for (const auto& [teksti, odotettu] : rivit) {
    TestiAlusta a;
    EXPECT_DOUBLE_EQ(fe_yleisval(teksti), odotettu) << u8(teksti);
    EXPECT_TRUE(a.pulmat.empty()) << u8(teksti);
  }
}

// A number is out of range by its value, not by the size of its exponent:
// the largest double and an exponent over 308 with a small mantissa read.
TEST(FeYleisval, DoubleLukualueenRaja) {
  const std::pair<std::u16string, double> rivit[] = {
      {u"1.7976931348623157E308", 1.7976931348623157e308},
      {u"-1.7976931348623157E308", -1.7976931348623157e308},
      {u"0.1E309", 1e308},
      {u"0,00001E310", 1e305},
      {u"1000E305", 1e308},
      {u"1E308", 1e308},
  };
  for (const auto& [teksti, odotettu] : rivit) {
    TestiAlusta a;
    EXPECT_DOUBLE_EQ(fe_yleisval(teksti), odotettu) << u8(teksti);
    EXPECT_TRUE(a.pulmat.empty()) << u8(teksti);
  }
  for (const std::u16string teksti : {u"1.8E308", u"-1.8E308", u"10E308", u"1000E306"}) {
    TestiAlusta a;
    EXPECT_EQ(fe_yleisval(teksti), 0.0) << u8(teksti);
    odotaPulma(a, "Overflow\r\n(virhe 6)", EURO);
  }
}

TEST(FeYleisval, YlivuotoPalauttaaNollan) {
  const std::u16string rivit[] = {
      u"9E999999",
      u"1e309",
      u"-1e400",
      std::u16string(400, u'9'),
      std::u16string(32767, u'0'),         // too long, though its value is zero
      std::u16string(32766, u' ') + u"7",  // spaces count towards the limit
      u"1e99999999999999999999999",
      // Large numbers overflow, however their digits and exponent share the size.
      u"1" + std::u16string(400, u'0') + u"E-50",
      u"0," + std::u16string(500, u'1') + u"E400",
      u"0,1" + std::u16string(400, u'0') + u"E400",
  };
  for (const auto& teksti : rivit) {
    TestiAlusta a;
    EXPECT_EQ(fe_yleisval(teksti), 0.0) << u8(teksti.substr(0, 30));
    odotaPulma(a, "Overflow\r\n(virhe 6)", EURO);
  }
  TestiAlusta a;
  EXPECT_EQ(fe_yleisval(std::u16string(32766, u'0')), 0.0);
  EXPECT_TRUE(a.pulmat.empty());
}

TEST(SummaKoneelle, Taulukko) {
  const std::pair<double, const char*> rivit[] = {
      {0, "0.00"},
      {12345, "123.45"},
      {99999999, "999999.99"},
      {-500, "-5.00"},
      {12.5, "0.13"},
      {-12.5, "-0.13"},
      {-0.3, "0.00"},
      {1e17, "1000000000000000.00"},
      {-5.4, "-0.05"},  // rounded to a zero euro but not to zero: the sign stays
      {-10.4, "-0.10"},
      {-100.4, "-1.00"},
      // Half a cent exactly, away from zero, for each of the four ways it can end.
      {37.5, "0.38"},
      {62.5, "0.63"},
      {-87.5, "-0.88"},
      {99987.5, "999.88"},
  };
  for (const auto& [sentit, odotettu] : rivit) {
    EXPECT_EQ(summaKoneelle(sentit), odotettu) << sentit;
  }
}

}  // namespace
}  // namespace kelvio
