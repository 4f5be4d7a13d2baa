#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tarkisteet.h"
#include "tulkinta.h"
#include "utf8.h"

namespace kelvio {
namespace {

using Tarkistin = bool (*)(std::u16string_view) noexcept;

struct Algoritmi {
  const char* nimi;
  Tarkistin kelpaa;
  std::vector<std::u16string> kelvolliset;  // published or worked examples
  std::vector<std::u16string> kelvottomat;
};

const Algoritmi ALGORITMIT[] = {
    {"IBAN",
     ibanKelpaa,
     {u"FI2112345600000785", u"FI5542345670000081", u"GB82WEST12345698765432",
      u"DE89370400440532013000", u"NL91ABNA0417164300", u"GB32ZZZZ12345698765432",
      // The longest that ISO 13616 allows, and a country, check digits and one character.
      u"MT79AAAAA1111111111111111111111111", u"AA03Z"},
     // Too long, and a character that is neither digit nor capital letter, though the
     // remainders would be 1.
     {u"FI7912345600000123", u"", u"FI21", u"fi2112345600000785", u"FI21 1234 5600 0007 85",
      u"FI2112345600000786", u"MT21AAAAA11111111111111111111111111", u"FI011234[60000078"}},
    {"tilinumero",
     tiliKelpaa,
     {u"12345600000785", u"42345670000081", u"12345600000090"},
     // ";" counts 11 in the Luhn sum, as "2" does.
     {u"91234500000123", u"50000120000345", u"1234560000078", u"1234560000078A", u"",
      u"1;345600000785"}},
    {"viitenumero",
     viiteKelpaa,
     {u"1234561", u"1232", u"12345672", u"00000000000001234561"},
     // 21 digits are one too many, though the 7-3-1 digit holds.
     {u"12345", u"13", u"", u"00000000000000000000", u"123456A", u"123 4561",
      u"123456789012345678908"}},
    {"RF-viite",
     rfKelpaa,
     // The shortest (one character after the check digits) and letters, which count 10 to 35.
     {u"RF18539007547034", u"RF712348231", u"RF18000000000539007547034", u"RF635", u"RF90A1"},
     // 26 characters are one too many; an IBAN is no RF reference, though the remainder is 1.
     {u"RF1212345", u"RF18", u"rf18539007547034", u"XX18539007547034", u"RFAB539007547034",
      u"RF291111111111111111111111", u"GB82WEST12345698765432"}},
};

TEST(Tarkisteet, JulkaistutEsimerkit) {
  for (const auto& a : ALGORITMIT) {
    for (const auto& t : a.kelvolliset) {
      EXPECT_TRUE(a.kelpaa(t)) << a.nimi << " " << utf8ksi(t);
    }
    for (const auto& t : a.kelvottomat) {
      EXPECT_FALSE(a.kelpaa(t)) << a.nimi << " " << utf8ksi(t);
    }
  }
}

// Every single-digit error is caught by all four.
TEST(Tarkisteet, YksittainenVaaraNumero) {
  for (const auto& a : ALGORITMIT) {
    for (const auto& t : a.kelvolliset) {
      for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9') {
          continue;
        }
        for (char16_t d = u'0'; d <= u'9'; ++d) {
          std::u16string vaara = t;
          vaara[i] = d;
          // A new leading zero of a reference is no error: zeros pad it.
          const bool etunolla = a.kelpaa == viiteKelpaa && t.find_first_not_of(u'0') >= i;
          if (d != t[i] && !etunolla) {
            EXPECT_FALSE(a.kelpaa(vaara)) << a.nimi << " " << utf8ksi(vaara);
          }
        }
      }
    }
  }
}

// Adjacent transpositions: mod 97 catches them all, Luhn all but 09/90, the
// 7-3-1 reference all but digits five apart.
TEST(Tarkisteet, VierekkaisetVaihtuneet) {
  for (const auto& a : ALGORITMIT) {
    for (const auto& t : a.kelvolliset) {
      for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        const char16_t x = t[i];
        const char16_t y = t[i + 1];
        if (x == y || x < u'0' || x > u'9' || y < u'0' || y > u'9') {
          continue;
        }
        if (a.kelpaa == tiliKelpaa && (x - u'0') + (y - u'0') == 9 && (x == u'0' || y == u'0')) {
          continue;
        }
        if (a.kelpaa == viiteKelpaa &&
            (x - y == 5 || y - x == 5 || i + 2 == t.size() || t.find_first_not_of(u'0') >= i)) {
          continue;
        }
        std::u16string vaara = t;
        std::swap(vaara[i], vaara[i + 1]);
        EXPECT_FALSE(a.kelpaa(vaara)) << a.nimi << " " << utf8ksi(vaara);
      }
    }
  }
}

TEST(Tarkisteet, ViivakoodinVersiot) {
  struct Rivi {
    std::u16string syote;
    std::optional<bool> iban, tili, viite, rf;
    std::optional<bool> eraPaiva = {};  // none for a barcode without a due date
  };
  const Rivi rivit[] = {
      // The worked examples: made-up accounts, valid references.
      {u"291234500000123000123450000000000000001234525033100000", {}, false, false, {}, true},
      {u"479123456000001230015000000000000000000001234561251231", false, {}, true, {}, true},
      {u"579123456000001230000100012000000000000000012345000000", false, {}, {}, false},
      // Valid everywhere.
      {u"212345600000785000123450000000000000123456125033100000", {}, true, true, {}, true},
      {u"421123456000007850015000000000000000000001234561251231", true, {}, true, {}, true},
      {u"105421123456000007850015000000000000000000001234561251231", true, {}, true, {}, true},
      {u"521123456000007850000100018000000000539007547034000000", true, {}, {}, true},
      // One digit of the IBAN and of the RF body wrong.
      {u"521129456000007850000100018000000000539097547034000000", false, {}, {}, false},
      // Due dates that name no real day: month 13, February 29 of a common
      // year, day 0, a non-digit; the leap day and the last day of a year are real.
      {u"421123456000007850015000000000000000000001234561251340", true, {}, true, {}, false},
      {u"421123456000007850015000000000000000000001234561250229", true, {}, true, {}, false},
      {u"421123456000007850015000000000000000000001234561251200", true, {}, true, {}, false},
      {u"42112345600000785001500000000000000000000123456125123 ", true, {}, true, {}, false},
      {u"421123456000007850015000000000000000000001234561240229", true, {}, true, {}, true},
      {u"421123456000007850015000000000000000000001234561991231", true, {}, true, {}, true},
      {u"3" + std::u16string(53, u'0'), {}, {}, {}, {}},
      {u"", {}, {}, {}, {}},
  };
  for (const auto& r : rivit) {
    const Tarkisteet t = tarkista(r.syote);
    EXPECT_EQ(t.iban, r.iban) << utf8ksi(r.syote);
    EXPECT_EQ(t.tili, r.tili) << utf8ksi(r.syote);
    EXPECT_EQ(t.viite, r.viite) << utf8ksi(r.syote);
    EXPECT_EQ(t.rf, r.rf) << utf8ksi(r.syote);
    EXPECT_EQ(t.eraPaiva, r.eraPaiva) << utf8ksi(r.syote);
  }
}

}  // namespace
}  // namespace kelvio
