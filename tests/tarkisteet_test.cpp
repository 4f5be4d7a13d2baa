#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <random>
#include <set>
#include <string>

#include "code128.h"
#include "kalenteri.h"
#include "tarkisteet.h"
#include "tekija.h"
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

// What the check digits need, computed by their standards' rules, so that
// random invoices can be made valid.
std::u16string u16(const std::string& s) {
  return {s.begin(), s.end()};
}
int mod97(const std::string& numerot) {
  int j = 0;
  for (const char c : numerot) {
    j = (j * 10 + (c - '0')) % 97;
  }
  return j;
}
std::string kahtena(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}
// FI, check digits, 14 digits: the check digits make FI + 00 moved last (1518 00) 1 mod 97.
std::string iban(const std::string& bban) {
  return "FI" + kahtena(98 - mod97(bban + "151800")) + bban;
}
// Weights 7, 3, 1 from the right; the check digit rounds the sum up to ten.
std::string viite(const std::string& runko) {
  const int painot[] = {7, 3, 1};
  int summa = 0;
  for (std::size_t i = 0; i < runko.size(); ++i) {
    summa += (runko[runko.size() - 1 - i] - '0') * painot[i % 3];
  }
  return runko + static_cast<char>('0' + (10 - summa % 10) % 10);
}
// RF, check digits, body: the body and RF00 (2715 00) give the check digits as 98 - mod 97.
std::string rf(const std::string& runko) {
  return "RF" + kahtena(98 - mod97(runko + "271500")) + runko;
}

// Made, then interpreted: the same IBAN, reference, amount and due date come
// back, and every check digit holds.
TEST(Tekija, TehtyTulkitaanSamaksi) {
  std::mt19937 satunnainen(13);
  const auto numerot = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
      s += static_cast<char>('0' + satunnainen() % 10);
    }
    return s;
  };
  for (int kierros = 0; kierros < 3000; ++kierros) {
    const std::string tili = iban(numerot(14));
    const bool onRf = kierros % 2 == 1;
    std::string runko(1, static_cast<char>('1' + satunnainen() % 9));
    runko += numerot(onRf ? satunnainen() % 21 : 2 + satunnainen() % 17);
    const std::string v = onRf ? rf(runko) : viite(runko);
    const long sentit = kierros % 7 == 0 ? 0 : static_cast<long>(satunnainen() % 100000000);
    const std::string summa = std::to_string(sentit / 100) + (kierros % 3 == 0 ? "," : ".") +
                              kahtena(static_cast<int>(sentit % 100));
    const Paivays pvm =
        paivays(paivanumero(2000, 1, 1) + static_cast<std::int64_t>(satunnainen() % 36525));
    const bool eraPaiva = kierros % 5 != 0;
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", pvm.vuosi, pvm.kuukausi, pvm.paiva);
    std::string virhe;
    const std::string koodi =
        teeViivakoodi({u16(tili), u16(v), u16(summa), eraPaiva ? u16(iso) : u""}, virhe);
    ASSERT_EQ(koodi.size(), 54U) << virhe << " " << tili << " " << v << " " << summa;
    const Tulkinta t = tulkitse(u16(koodi), KaavaAsetukset::suomi());
    std::u16string tiliTulkittu = t.tili;
    std::erase(tiliTulkittu, u' ');
    std::u16string viiteTulkittu = t.viite;
    std::erase(viiteTulkittu, u' ');
    EXPECT_EQ(t.versio, onRf ? u'5' : u'4');
    EXPECT_EQ(utf8ksi(tiliTulkittu), tili);
    EXPECT_EQ(utf8ksi(viiteTulkittu), v);
    EXPECT_EQ(t.sentit, static_cast<double>(sentit)) << summa;
    ASSERT_EQ(t.eraPaiva.has_value(), eraPaiva) << iso;
    if (eraPaiva) {
      EXPECT_EQ(t.eraPaiva->vuosi, pvm.vuosi);
      EXPECT_EQ(t.eraPaiva->kuukausi, pvm.kuukausi);
      EXPECT_EQ(t.eraPaiva->paiva, pvm.paiva);
    }
    EXPECT_TRUE(tarkista(u16(koodi)).kaikkiKelpaavat()) << koodi;
  }
}

// One row per rule that a value can break: the field's name starts the message.
TEST(Tekija, VaaratArvot) {
  const std::u16string IBAN = u"FI21 1234 5600 0007 85";
  struct Rivi {
    Laskutiedot tiedot;
    const char* kentta;
  };
  const Rivi rivit[] = {
      {{u"SE2112345600000785", u"1234561", u"1", u""}, "IBAN: suomalainen"},
      {{u"FI211234560000078", u"1234561", u"1", u""}, "IBAN: suomalainen"},
      {{u"FI21123456000007A5", u"1234561", u"1", u""}, "IBAN: suomalainen"},
      {{u"FI2112345600000786", u"1234561", u"1", u""}, "IBAN: tarkistenumerot"},
      {{IBAN, u"123", u"1", u""}, "viite: kansallinen"},
      {{IBAN, u"123456789012345678906", u"1", u""}, "viite: kansallinen"},
      {{IBAN, u"1234562", u"1", u""}, "viite: tarkistenumero"},
      {{IBAN, u"RF18", u"1", u""}, "viite: RF-viite on"},
      {{IBAN, u"RF18A5390075", u"1", u""}, "viite: RF-viite on"},
      {{IBAN, u"RF1853900754703412345678901", u"1", u""}, "viite: RF-viite on"},
      {{IBAN, u"RF19539007547034", u"1", u""}, "viite: RF-viitteen tarkistenumerot"},
      {{IBAN, u"1234561", u"1000000", u""}, "summa:"},
      {{IBAN, u"1234561", u"1,234", u""}, "summa:"},
      {{IBAN, u"1234561", u"-1", u""}, "summa:"},
      {{IBAN, u"1234561", u"1e3", u""}, "summa:"},
      {{IBAN, u"1234561", u"", u""}, "summa:"},
      {{IBAN, u"1234561", u"5.", u""}, "summa:"},
      {{IBAN, u"1234561", u"1", u"2025-02-29"}, "eräpäivä:"},
      {{IBAN, u"1234561", u"1", u"1999-12-31"}, "eräpäivä:"},
      {{IBAN, u"1234561", u"1", u"2100-01-01"}, "eräpäivä:"},
      {{IBAN, u"1234561", u"1", u"2025-13-01"}, "eräpäivä:"},
      {{IBAN, u"1234561", u"1", u"31.12.2025"}, "eräpäivä:"},
  };
  for (const auto& r : rivit) {
    std::string virhe;
    EXPECT_EQ(teeViivakoodi(r.tiedot, virhe), "") << r.kentta;
    EXPECT_EQ(virhe.rfind(r.kentta, 0), 0U) << virhe;
  }
  // The limits themselves are accepted.
  std::string virhe;
  for (const Laskutiedot& t : std::initializer_list<Laskutiedot>{
           {IBAN, u"1234561", u"999999,99", u"2099-12-31"},
           {IBAN, u"1232", u"0", u"2000-01-01"},
           {IBAN, u"12345678901234567894", u"0.5", u"2024-02-29"},
           {u"fi21 1234 5600 0007 85", u"rf18 5390 0754 7034", u"1", u""}}) {
    EXPECT_EQ(teeViivakoodi(t, virhe).size(), 54U) << virhe;
  }
}

// The symbology's table: every character 11 modules wide (the stop 13), with
// bars and spaces of 1 to 4 modules, and no two alike.
TEST(Code128, Taulukko) {
  std::set<std::string_view> nahdyt;
  for (int arvo = 0; arvo <= 106; ++arvo) {
    const std::string_view k = code128Kuvio(arvo);
    int summa = 0;
    for (const char c : k) {
      EXPECT_TRUE(c >= '1' && c <= '4') << arvo;
      summa += c - '0';
    }
    EXPECT_EQ(summa, arvo == 106 ? 13 : 11) << arvo;
    EXPECT_TRUE(nahdyt.insert(k).second) << arvo;
  }
  // Start C, "12" "34", check (105 + 12 + 2 * 34) mod 103 = 82, stop.
  std::vector<int> odotettu;
  for (const int arvo : {105, 12, 34, 82, 106}) {
    for (const char c : code128Kuvio(arvo)) {
      odotettu.push_back(c - '0');
    }
  }
  EXPECT_EQ(code128C("1234"), odotettu);
}

}  // namespace
}  // namespace kelvio
