#include <gtest/gtest.h>

#include <random>
#include <string>

#include "RsKTL.h"
#include "SEPA.h"
#include "euro.h"
#include "fe_NollatPois.h"
#include "kuviot.h"
#include "testialusta.h"
#include "tulkinta.h"
#include "utf8.h"

namespace kelvio {
namespace {

using testi::TestiAlusta;

using testi::u8;

std::string tulkitse8(const std::string& syote,
                      const Aluesetukset& asetukset = KaavaAsetukset::suomi()) {
  return u8(tulkitse(utf16ksi(syote), asetukset).raportti);
}

const std::string V2 = "291234500000123000123450000000000000001234525033100000";
const std::string V4 = "479123456000001230015000000000000000000001234561251231";
const std::string V5 = "579123456000001230000100012000000000000000012345000000";

const std::string OTSIKKO2 =
    "Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite";
const std::string OTSIKKO4 =
    "Viivakoodin versio 4: euromääräinen, IBAN-tilinumero ja kansallinen viite";
const std::string OTSIKKO5 = "Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite";
const std::string PITUUS2 = "\r\nPankkiviivakoodin kuuluu olla 54 merkin pituinen.";

TEST(Tulkinta, EsimerkitMerkilleen) {
  const std::pair<std::string, std::string> rivit[] = {
      {V2, OTSIKKO2 + "\r\n\r\nSaajan tili (kansallinen muoto) = 912345-123\r\n"
                      "Viitenumero (kansallinen) =     12345\r\n"
                      "Eräpäivä = 31.3.2025\r\nSumma =    123,45 €"},
      {V4, OTSIKKO4 + "\r\n\r\nSaajan tili (IBAN-muodossa) = FI79 1234 5600 0001 23\r\n"
                      "Viitenumero (kansallinen) =    12 34561\r\n"
                      "Eräpäivä = 31.12.2025\r\nSumma =   1 500,00 €"},
      {V5, OTSIKKO5 + "\r\n\r\nSaajan tili (IBAN-muodossa) = FI79 1234 5600 0001 23\r\n"
                      "Viitenumero (RF-viite) =  RF12 1234 5\r\n"
                      "Eräpäivä = ei eräpäivää\r\nSumma =    10,00 €"},
      {"105" + V4, tulkitse8(V4)},
      {V2.substr(0, 53), "Viivakoodin pituus on 53 merkkiä." + PITUUS2},
      {"105" + V2.substr(0, 52), "Viivakoodin pituus on 55 merkkiä." + PITUUS2},
      {"3" + V2.substr(1), "Tuntematon viivakoodin esittämistapa\r\n3" + V2.substr(1)},
      {"", "Viivakoodin pituus on 0 merkkiä." + PITUUS2},
      {" " + V2, "Viivakoodin pituus on 55 merkkiä." + PITUUS2},
      {V2 + " ", "Viivakoodin pituus on 55 merkkiä." + PITUUS2},
      {"105" + V2.substr(3), "Viivakoodin pituus on 54 merkkiä." + PITUUS2},
      {"105105" + V2.substr(0, 51),
       "Tuntematon viivakoodin esittämistapa\r\n105" + V2.substr(0, 51)},
      {" " + V2.substr(1), "Tuntematon viivakoodin esittämistapa\r\n " + V2.substr(1)},
      {"A" + V2.substr(1), "Tuntematon viivakoodin esittämistapa\r\nA" + V2.substr(1)},
      {"1" + V2.substr(1), "Tuntematon viivakoodin esittämistapa\r\n1" + V2.substr(1)},
  };
  for (const auto& [syote, odotettu] : rivit) {
    TestiAlusta a;
    EXPECT_EQ(tulkitse8(syote), odotettu) << syote;
    EXPECT_TRUE(a.pulmat.empty()) << syote;
  }
}

// Line n (1-based) of the report.
std::string rivi(const std::string& raportti, int n) {
  std::size_t alku = 0;
  for (int i = 1; i < n; ++i) {
    alku = raportti.find("\r\n", alku) + 2;
  }
  const std::size_t loppu = raportti.find("\r\n", alku);
  return raportti.substr(alku, loppu == std::string::npos ? std::string::npos : loppu - alku);
}

// Version 4 with one field replaced: positions are 1-based.
std::string v4(std::size_t kohta, const std::string& kentta) {
  std::string s = V4;
  s.replace(kohta - 1, kentta.size(), kentta);
  return s;
}

TEST(Tulkinta, SummaKuvio) {
  const std::pair<std::string, std::string> rivit[] = {
      {"00000000", "Summa =    0,00 €"},
      {"00000050", "Summa =    0,50 €"},
      {"00012345", "Summa =    123,45 €"},
      {"00100000", "Summa =   1 000,00 €"},
      {"00150000", "Summa =   1 500,00 €"},
      {"99999999", "Summa =   999 999,99 €"},
      {"-0000500", "Summa =    -5,00 €"},
      {"-0100000", "Summa =   -1 000,00 €"},
      {"9E13    ", "Summa = 900 000 000 000,00 €"},
      {"1E15    ", "Summa = 10 000 000 000 000,00 €"},
      {"0012.5  ", "Summa =    0,13 €"},
      {"-12.5   ", "Summa =    -0,13 €"},
      {"0037.5  ", "Summa =    0,38 €"},
      {"0.3     ", "Summa =    0,00 €"},
      {"-0.3    ", "Summa =    0,00 €"},
      {"99999.5 ", "Summa =   1 000,00 €"},
      {"ABCDEFGH", "Summa =    0,00 €"},
      {"00012,34", "Summa =    0,12 €"},
      // Fractions of a cent are rounded to the nearer cent, not cut off.
      {"0012.6  ", "Summa =    0,13 €"},
      {"0012.4  ", "Summa =    0,12 €"},
      {"0.6     ", "Summa =    0,01 €"},
      {"-0.6    ", "Summa =    -0,01 €"},
      {"99999.7 ", "Summa =   1 000,00 €"},
      {"99998.2 ", "Summa =    999,98 €"},
  };
  for (const auto& [kentta, odotettu] : rivit) {
    EXPECT_EQ(rivi(tulkitse8(v4(18, kentta)), 6), odotettu) << kentta;
  }
}

TEST(Tulkinta, SummanYlivuotoTaytetaanNollalla) {
  TestiAlusta a;
  const std::string r = tulkitse8(v4(18, "9E999999"));
  EXPECT_EQ(rivi(r, 6), "Summa =    0,00 €");
  EXPECT_EQ(rivi(r, 3), "Saajan tili (IBAN-muodossa) = FI79 1234 5600 0001 23");
  ASSERT_EQ(a.pulmat.size(), 1U);
  EXPECT_NE(u8(a.pulmat[0].teksti).find("Rutiinista     fe_yleisval"), std::string::npos);
}

TEST(Tulkinta, ViiteKuvio) {
  const std::pair<std::string, std::string> rivit[] = {
      {"00000000000000000000", "Viitenumero (kansallinen) =     "},
      {"00000000000000012345", "Viitenumero (kansallinen) =     12345"},
      {"00000000000001234561", "Viitenumero (kansallinen) =    12 34561"},
      {"00000000001234567890", "Viitenumero (kansallinen) =    12345 67890"},
      {"12345678901234567890", "Viitenumero (kansallinen) =  12345 67890 12345 67890"},
      {"0000000000000000000A", "Viitenumero (kansallinen) =     A"},
      // Spaces in the data take places of the pattern like any character.
      {"0000000000000012 345", "Viitenumero (kansallinen) =    1 2 345"},
      {"00000000000000 12345", "Viitenumero (kansallinen) =      12345"},
      {"000000000000000012 3", "Viitenumero (kansallinen) =     12 3"},
  };
  for (const auto& [kentta, odotettu] : rivit) {
    EXPECT_EQ(rivi(tulkitse8(v4(29, kentta)), 4), odotettu) << kentta;
  }
  // Longer than the pattern's 20 places: more groups of five on the left.
  std::u16string viite;
  lisaaViite(viite, u"123456789012345678901");
  EXPECT_EQ(u8(viite), "1 23456 78901 23456 78901");
}

TEST(Tulkinta, RfViite) {
  std::string s = V5;
  s.replace(27, 21, "000000000000000000000");
  EXPECT_EQ(rivi(tulkitse8(s), 4), "Viitenumero (RF-viite) =  RF12");
  s.replace(27, 21, "123456789012345678901");
  EXPECT_EQ(rivi(tulkitse8(s), 4), "Viitenumero (RF-viite) =  RF12 1234 5678 9012 3456 7890 1");
}

TEST(Tulkinta, Erapaiva) {
  const std::pair<std::string, std::string> rivit[] = {
      {"000000", "Eräpäivä = ei eräpäivää"},
      {"250331", "Eräpäivä = 31.3.2025"},
      {"250230", "Eräpäivä = 2.3.2025"},
      {"250300", "Eräpäivä = 28.2.2025"},
      {"000100", "Eräpäivä = 31.12.1999"},
      {"990000", "Eräpäivä = 30.11.2098"},
      {"241300", "Eräpäivä = 31.12.2024"},
      {"241301", "Eräpäivä = 1.1.2025"},
      {"240229", "Eräpäivä = 29.2.2024"},
      {"230229", "Eräpäivä = 1.3.2023"},
      // Leap years by the Gregorian rules: 2000 (divisible by 400) is one, 2100 is not.
      {"000229", "Eräpäivä = 29.2.2000"},
      {"960229", "Eräpäivä = 29.2.2096"},
      {"991429", "Eräpäivä = 1.3.2100"},
      {"992401", "Eräpäivä = 1.12.2100"},
      {"991200", "Eräpäivä = 30.11.2099"},
      {"000001", "Eräpäivä = 1.12.1999"},
      {"009999", "Eräpäivä = 7.6.2008"},
      {"-1-1-1", "Eräpäivä = 30.10.1998"},
      {"AABBCC", "Eräpäivä = ei eräpäivää"},
      // A half rounds to the even neighbour: month 0.5 is month 0.
      {".50101", "Eräpäivä = 1.1.2000"},
      {"25.501", "Eräpäivä = 1.12.2024"},
      {"2501.5", "Eräpäivä = 31.12.2024"},  // and day 0.5 is day 0
      // Other fractions go to the nearer whole number, up or down.
      {"25.601", "Eräpäivä = 1.1.2025"},   // month 0.6 is month 1
      {"25.401", "Eräpäivä = 1.12.2024"},  // month 0.4 is month 0
      {"2501.6", "Eräpäivä = 1.1.2025"},   // day 0.6 is day 1
      {".60101", "Eräpäivä = 1.1.2001"},   // year 0.6 is 2001
      // "No due date" is decided before rounding: 0.4 is not 0, though it rounds to it.
      {".4.4.4", "Eräpäivä = 30.11.1999"},
      {"00.4.4", "Eräpäivä = 30.11.1999"},
  };
  for (const auto& [kentta, odotettu] : rivit) {
    EXPECT_EQ(rivi(tulkitse8(v4(49, kentta)), 5), odotettu) << kentta;
  }
}

TEST(Tulkinta, LukemattomatKohdatEivatVaikuta) {
  std::string v2 = V2;
  v2.replace(49, 5, "xxxxx");
  EXPECT_EQ(tulkitse8(v2), tulkitse8(V2));
  EXPECT_EQ(tulkitse8(v4(26, "???")), tulkitse8(V4));
}

TEST(Tulkinta, VersionKaksiTiliNeljallaJaViidella) {
  std::string s = V2;
  s.replace(1, 14, "42345670000081");
  EXPECT_EQ(rivi(tulkitse8(s), 3), "Saajan tili (kansallinen muoto) = 423456-781");
}

TEST(Tulkinta, MuutAluesetukset) {
  const KaavaAsetukset iso(u".", u"yyyy-MM-dd", u"HH:mm:ss");
  const std::string r = tulkitse8(V4, iso);
  EXPECT_EQ(rivi(r, 5), "Eräpäivä = 2025-12-31");
  EXPECT_EQ(rivi(r, 6), "Summa =   1 500.00 €");
  const KaavaAsetukset us(u".", u"M/d/yyyy", u"h:mm:ss tt");
  EXPECT_EQ(rivi(tulkitse8(V2, us), 5), "Eräpäivä = 3/31/2025");
}

TEST(Tulkinta, SamaSyoteAntaaSamanRaportin) {
  const std::u16string eka = tulkitse(utf16ksi(V2), KaavaAsetukset::suomi()).raportti;
  (void)tulkitse(utf16ksi(V5), KaavaAsetukset::suomi());
  (void)tulkitse(utf16ksi(V2.substr(3)), KaavaAsetukset::suomi());
  EXPECT_EQ(tulkitse(utf16ksi(V2), KaavaAsetukset::suomi()).raportti, eka);
}

// Any input gives one of the three kinds of report, whatever it holds.
TEST(Tulkinta, SatunnaisetSyotteet) {
  const char16_t merkit[] = {u'0',  u'1', u'2', u'4', u'5', u'9',   u'E',   u'e',
                             u'D',  u'.', u',', u'-', u'+', u' ',   u'\t',  u'\r',
                             u'\n', u'&', u'H', u'ä', u'€', 0xD800, 0xDC00, 0};
  std::mt19937 satunnainen(2026);
  TestiAlusta a;  // errors of the formatting routines are shown to it, and logged nowhere
  for (int kierros = 0; kierros < 20000; ++kierros) {
    std::u16string syote = kierros % 3 == 0 ? u"105" : u"";
    const std::size_t pituus = kierros % 4 == 0 ? 54 : satunnainen() % 120;
    for (std::size_t i = 0; i < pituus; ++i) {
      syote.push_back(satunnainen() % 2 == 0 ? u'0' + satunnainen() % 10
                                             : merkit[satunnainen() % std::size(merkit)]);
    }
    const Tulkinta t = tulkitse(syote, KaavaAsetukset::suomi());
    const std::string r = u8(t.raportti);
    ASSERT_EQ(t.pituus, syote.size()) << kierros;  // as typed, with any prefix
    switch (t.laji) {
      case Laji::Tulkinta:
        ASSERT_EQ(r.substr(0, 19), "Viivakoodin versio ") << kierros;
        ASSERT_EQ(r.substr(r.size() - 4), " €") << kierros;
        break;
      case Laji::VaaraPituus:
        ASSERT_EQ(r,
                  "Viivakoodin pituus on " + std::to_string(syote.size()) + " merkkiä." + PITUUS2)
            << kierros;
        break;
      case Laji::TuntematonVersio:
        ASSERT_EQ(r.substr(0, 39), "Tuntematon viivakoodin esittämistapa\r\n") << kierros;
        break;
    }
  }
}

// Inputs of megabytes: explained, or refused by the 16-bit limits, never more.
TEST(Tulkinta, MegatavujenSyotteet) {
  TestiAlusta a;
  const std::u16string suuri(4U << 20, u'7');
  EXPECT_EQ(tulkitse8(utf8ksi(suuri)).substr(0, 32), "Viivakoodin pituus on 4194304 me");
  EXPECT_EQ(fe_ryhmittele(suuri, 4), u"");
  EXPECT_EQ(fe_yleisval(suuri), 0.0);
  EXPECT_EQ(a.pulmat.size(), 2U);
  EXPECT_EQ(NormTili(suuri).size(), suuri.size() + 1);
  EXPECT_EQ(fe_NollatPois(suuri).size(), suuri.size());
}

// The fields whose routine trapped an error are marked, and only those.
TEST(Tulkinta, VirheellisetKentat) {
  TestiAlusta a;
  struct Rivi {
    std::string syote;
    bool tili, viite, summa, eraPaiva;
  };
  std::string summa = V4;
  summa.replace(17, 8, "9E999999");
  const Rivi rivit[] = {
      {V4, false, false, false, false},
      {summa, false, false, true, false},
  };
  for (const auto& r : rivit) {
    const Tulkinta t = tulkitse(utf16ksi(r.syote), KaavaAsetukset::suomi());
    EXPECT_EQ(t.virheellinen.tili, r.tili) << r.syote;
    EXPECT_EQ(t.virheellinen.viite, r.viite) << r.syote;
    EXPECT_EQ(t.virheellinen.summa, r.summa) << r.syote;
    EXPECT_EQ(t.virheellinen.eraPaiva, r.eraPaiva) << r.syote;
  }
}

}  // namespace
}  // namespace kelvio
