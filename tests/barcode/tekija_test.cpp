// The maker of bank barcodes and the Code 128 symbol it prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "code128.h"
#include "kalenteri.h"
#include "tarkisteet.h"
#include "tekija.h"
#include "tulkinta.h"
#include "utf8.h"

namespace kelvio {
namespace {

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

// The amount in cents and the due date as yymmdd, from the values' rules:
// "." or "," before one or two decimals, leading zeros anywhere.
TEST(Tekija, KentatArvoista) {
  struct Rivi {
    const char16_t* summa;
    const char16_t* eraPaiva;
    const char* summakentta;
    const char* eraPaivakentta;
  };
  const Rivi rivit[] = {
      {u"0.5", u"2025-03-07", "00000050", "250307"},
      {u"12,3", u"2000-01-01", "00001230", "000101"},
      {u"12.05", u"2099-12-31", "00001205", "991231"},
      {u"007", u"", "00000700", "000000"},
      {u"1,10", u"2024-02-29", "00000110", "240229"},
      {u"999999,99", u"", "99999999", "000000"},
      {u"0", u"", "00000000", "000000"},
  };
  for (const auto& r : rivit) {
    std::string virhe;
    const std::string k =
        teeViivakoodi({u"FI2112345600000785", u"1234561", r.summa, r.eraPaiva}, virhe);
    ASSERT_EQ(k.size(), 54U) << virhe;
    EXPECT_EQ(k.substr(17, 8), r.summakentta) << utf8ksi(r.summa);
    EXPECT_EQ(k.substr(48, 6), r.eraPaivakentta) << utf8ksi(r.eraPaiva);
  }
}

// The symbology's table, seen through the symbols of code set C: start C is
// 2 1 1 2 3 2 and the stop 2 3 3 1 1 1 2 (ISO/IEC 15417); every value's
// character is 11 modules of bars and spaces 1 to 4 wide, no two alike; the
// check character is the start's value plus each value times its position,
// modulo 103.
TEST(Code128, Taulukko) {
  const std::vector<int> ALOITUS = {2, 1, 1, 2, 3, 2};
  const std::vector<int> LOPETUS = {2, 3, 3, 1, 1, 1, 2};
  const auto kuvio = [](int arvo) {  // the value's character in the symbol of one pair
    const std::string pari = {static_cast<char>('0' + arvo / 10),
                              static_cast<char>('0' + arvo % 10)};
    const std::vector<int> l = code128C(pari);
    return std::vector<int>(l.begin() + 6, l.begin() + 12);
  };
  std::set<std::vector<int>> nahdyt;
  for (int arvo = 0; arvo <= 99; ++arvo) {
    const std::string pari = {static_cast<char>('0' + arvo / 10),
                              static_cast<char>('0' + arvo % 10)};
    const std::vector<int> l = code128C(pari);
    ASSERT_EQ(l.size(), 25U) << arvo;
    EXPECT_EQ(std::vector<int>(l.begin(), l.begin() + 6), ALOITUS) << arvo;
    EXPECT_EQ(std::vector<int>(l.end() - 7, l.end()), LOPETUS) << arvo;
    const std::vector<int> k = kuvio(arvo);
    EXPECT_TRUE(std::all_of(k.begin(), k.end(), [](int w) { return w >= 1 && w <= 4; })) << arvo;
    EXPECT_EQ(std::accumulate(k.begin(), k.end(), 0), 11) << arvo;
    EXPECT_TRUE(nahdyt.insert(k).second) << arvo;
    if ((105 + arvo) % 103 <= 99) {
      EXPECT_EQ(std::vector<int>(l.begin() + 12, l.begin() + 18), kuvio((105 + arvo) % 103))
          << arvo;
    }
  }
  // Start C, "12" "34", check (105 + 12 + 2 * 34) mod 103 = 82, stop.
  std::vector<int> odotettu = ALOITUS;
  for (const int arvo : {12, 34, 82}) {
    const std::vector<int> k = kuvio(arvo);
    odotettu.insert(odotettu.end(), k.begin(), k.end());
  }
  odotettu.insert(odotettu.end(), LOPETUS.begin(), LOPETUS.end());
  EXPECT_EQ(code128C("1234"), odotettu);
}

}  // namespace
}  // namespace kelvio
