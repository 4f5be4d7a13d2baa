// The EPC QR code's text: the character sets of EPC069-12, its byte limit,
// and refusals that name the fault.
#include <gtest/gtest.h>

#include <string>

#include "epc.h"
#include "utf8.h"

namespace kelvio {
namespace {

std::string epc(char merkisto, const std::string& nimi, const std::string& viite = "",
                const std::string& viesti = "") {
  return std::string("BCD\n002\n") + merkisto + "\nSCT\n\n" + nimi +
         "\nFI2112345600000785\nEUR10.00\n\n" + viite + "\n" + viesti;
}

struct Merkistorivi {
  char merkisto;
  std::string tavut;  // the name's bytes in that set
  std::string nimi;   // as the set's table gives it, in UTF-8
};

TEST(EpcQr, MerkistotTaulukonMukaan) {
  const Merkistorivi rivit[] = {
      {'1',
       "\xC5\xA0"
       "akki-\xC5\xBD"
       "oo Oy",
       "\xC5\xA0"
       "akki-\xC5\xBD"
       "oo Oy"},                                                    // UTF-8
      {'2', "\xC4\xE4ri\xF6 Oy", "\xC3\x84\xC3\xA4ri\xC3\xB6 Oy"},  // ISO 8859-1
      {'3',
       "\xA9"
       "akki-\xAE"
       "oo Oy",
       "\xC5\xA0"
       "akki-\xC5\xBD"
       "oo Oy"},  // -2: Š Ž
      {'3',
       "\xA3\xF3"
       "d\xBC",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA"},                                          // -2: Łódź
      {'4', "\xA9\xE0", "\xC5\xA0\xC4\x81"},                  // -4: Š ā
      {'5', "\xB1\xD0\xDD", "\xD0\x91\xD0\xB0\xD0\xBD"},      // -5: Б а н
      {'6', "\xC1\xE1", "\xCE\x91\xCE\xB1"},                  // -7: Α α
      {'7', "\xA9\xBF", "\xC4\x90\xC5\x8B"},                  // -10: Đ ŋ
      {'8', "\xA6\xA4\xBD", "\xC5\xA0\xE2\x82\xAC\xC5\x93"},  // -15: Š € œ
  };
  for (const Merkistorivi& r : rivit) {
    EpcMaksu m;
    std::u16string virhe;
    ASSERT_EQ(lueEpc(utf16ksi(qrTekstiksi(epc(r.merkisto, r.tavut))), m, virhe), EpcLaji::Maksu)
        << r.merkisto << ": " << utf8ksi(virhe);
    EXPECT_EQ(utf8ksi(m.nimi), r.nimi) << "set " << r.merkisto;
  }
}

// A code that is no EPC payload has no set named: UTF-8 where it is that,
// else each byte its ISO 8859-1 character; never another guess.
TEST(EpcQr, MuuKoodi) {
  EXPECT_EQ(qrTekstiksi("https://example.com/\xC3\xA4"), "https://example.com/\xC3\xA4");
  EXPECT_EQ(qrTekstiksi("\xB1\xB2"), "\xC2\xB1\xC2\xB2");
}

struct Hylkays {
  const char* vika;
  std::string teksti;  // UTF-8, as read
  std::u16string syy;
};

// The longest fields (70, 140 and 70 characters) with n characters of two
// bytes in the name: 327 + n bytes.
std::string rajalla(int n) {
  std::string nimi;
  for (int i = 0; i < 70; ++i) {
    nimi += i < n ? "\xC3\xA4" : "n";
  }
  return epc('1', nimi, "", std::string(140, 'm')) + "\n" + std::string(70, 'i');
}

TEST(EpcQr, HylkaysNimeaaVian) {
  const Hylkays rivit[] = {
      {"bytes not of the set", qrTekstiksi(epc('1', "\xE4 Oy")),
       u"EPC-QR-koodi: tavut eivät ole merkistön 1 merkkejä (1 UTF-8, 2-8 ISO 8859 -1, -2, -4, -5, "
       u"-7, -10, -15)"},
      {"332 bytes", rajalla(5), u"EPC-QR-koodi: sisältö on 332 tavua, enintään 331"},
      {"a national reference of three digits", epc('1', "Oy", "123"),
       u"EPC-QR-koodi: kansallinen viite on 4-20 numeroa"},
      {"a national reference of 21 digits", epc('1', "Oy", std::string(20, '1') + "2"),
       u"EPC-QR-koodi: kansallinen viite on 4-20 numeroa"},
      {"an RF reference without a body", epc('1', "Oy", "RF18"),
       u"EPC-QR-koodi: RF-viite on RF, kaksi tarkistenumeroa"},
      {"a national reference with a letter", epc('1', "Oy", "12345A"),
       u"EPC-QR-koodi: kansallinen viite on 4-20 numeroa"},
      {"a set outside 1-8", epc('9', "Oy"), u"EPC-QR-koodi: merkistö ei ole 1-8"},
      {"a C1 control character in the name", epc('1', "Oy\xC2\x85"),
       u"EPC-QR-koodi: ohjausmerkki rivillä 6"},
      {"a DEL in the name", epc('1', "Oy\x7f"), u"EPC-QR-koodi: ohjausmerkki rivillä 6"},
      {"an IBAN of four characters", epc('1', "Oy").replace(18, 18, "FI21"),
       u"EPC-QR-koodi: IBAN on 5-34 kirjainta ja numeroa"},
      {"an RF reference of 26 characters", epc('1', "Oy", "RF18" + std::string(22, '1')),
       u"EPC-QR-koodi: RF-viite on RF, kaksi tarkistenumeroa ja 1-21 kirjainta tai numeroa"},
  };
  for (const Hylkays& r : rivit) {
    EpcMaksu m;
    std::u16string virhe;
    EXPECT_EQ(lueEpc(utf16ksi(r.teksti), m, virhe), EpcLaji::Virheellinen) << r.vika;
    EXPECT_EQ(virhe.substr(0, r.syy.size()), r.syy) << r.vika << ": " << utf8ksi(virhe);
  }
  // 331 bytes are within the limit.
  EpcMaksu m;
  std::u16string virhe;
  ASSERT_EQ(rajalla(4).size(), 331U);
  EXPECT_EQ(lueEpc(utf16ksi(rajalla(4)), m, virhe), EpcLaji::Maksu) << utf8ksi(virhe);
  // A reference of the right form whose check digit fails is the checks' to tell.
  ASSERT_EQ(lueEpc(utf16ksi(epc('1', "Oy", "1234")), m, virhe), EpcLaji::Maksu);
  EXPECT_EQ(tarkistaEpc(m).viite, false);
}

// The report in the window's style: every line, a national reference in
// groups of five, an RF reference in groups of four.
TEST(EpcQr, Raportti) {
  EpcMaksu m;
  std::u16string virhe;
  ASSERT_EQ(lueEpc(utf16ksi(epc('1', "Yritys Oy", "RF18539007547034")), m, virhe), EpcLaji::Maksu);
  EXPECT_EQ(utf8ksi(epcRaportti(m, KaavaAsetukset::suomi())),
            "EPC-QR-koodi (versio 002): tilisiirto\r\n\r\nSaaja = Yritys Oy\r\nSaajan tili "
            "(IBAN-muodossa) = FI21 1234 5600 0007 85\r\nViitenumero (RF-viite) =  RF18 5390 0754 "
            "7034\r\nEräpäivä = ei eräpäivää\r\nSumma =    10,00 €");
  ASSERT_EQ(lueEpc(utf16ksi(epc('1', "Oy", "", "Lasku 12")), m, virhe), EpcLaji::Maksu);
  EXPECT_NE(utf8ksi(epcRaportti(m, KaavaAsetukset::suomi())).find("\r\nViesti = Lasku 12\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvio
