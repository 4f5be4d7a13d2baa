// Making the EPC payload of an invoice, for kelvio make --qr.
#include "epc.h"

#include "merkit.h"
#include "tekija.h"
#include "utf8.h"

namespace kelvio {

namespace {

// What the name and the message may hold: the SEPA character set, "&", and
// the letters of Latin-1 (å, ä, ö and the rest) that UTF-8 carries.
bool sallittu(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || onNumero(c) ||
         std::u16string_view(u" /-?:().,'+&").find(c) != std::u16string_view::npos ||
         (c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7);
}

std::string tekstiKenttaan(std::u16string_view arvo, std::size_t enintaan, std::string_view nimi) {
  if (arvo.empty() || arvo.size() > enintaan) {
    return std::string(nimi) + ": 1-" + std::to_string(enintaan) + " merkkiä";
  }
  for (const char16_t c : arvo) {
    if (!sallittu(c)) {
      std::string merkki;
      if (c < 0x20 || c == 0x7F) {
        merkki = c == u'\n' || c == u'\r' ? "rivinvaihto" : "ohjausmerkki";
      } else {
        merkki = "merkki \"" + utf8ksi(std::u16string_view(&c, 1)) + "\"";
      }
      return std::string(nimi) + ": " + merkki +
             " ei kelpaa EPC-QR-koodiin (sallittu: kirjaimet, numerot ja / - ? : ( ) . , ' + &)";
    }
  }
  return {};
}

}  // namespace

std::string teeEpc(const Laskutiedot& tiedot, const EpcLisat& lisat, std::string& virhe,
                   std::string& kentta) {
  const auto vika = [&](std::string_view nimi, std::string viesti) {
    kentta = nimi;
    virhe = std::move(viesti);
    return std::string();
  };
  if (std::string v = tekstiKenttaan(lisat.nimi, 70, "nimi"); !v.empty()) {
    return vika("name", v);
  }
  const std::u16string bic = tiivista(lisat.bic);
  if (!bic.empty() && !bicMuoto(bic)) {
    return vika("bic", "BIC: 8 tai 11 kirjainta ja numeroa");
  }
  if (!lisat.viesti.empty()) {
    if (std::string v = tekstiKenttaan(lisat.viesti, 140, "viesti"); !v.empty()) {
      return vika("message", v);
    }
    // The code carries the reference, and EPC069-12 allows a reference or a text, not both.
    return vika("message", "viesti: EPC-QR-koodissa on joko viite tai viesti, ja tässä on viite");
  }
  // The amount as "EUR" and euros with two decimals; none for 0.
  const std::int64_t sentteina = summaSentteina(tiedot.summa).value_or(0);
  const std::string sentit = std::to_string(100 + sentteina % 100).substr(1);
  std::u16string s = u"BCD\n";
  s += bic.empty() ? u"002\n" : u"001\n";
  s += u"1\nSCT\n";
  s += bic + u"\n";
  s += lisat.nimi + u"\n";
  s += tiivista(tiedot.iban) + u"\n";
  s += sentteina == 0 ? u"" : utf16ksi("EUR" + std::to_string(sentteina / 100) + "." + sentit);
  s += u"\n\n";
  s += tiivista(tiedot.viite);
  s += u"\n\n";
  if (!tiedot.eraPaiva.empty()) {
    s += std::u16string(ERAPAIVA) + tiedot.eraPaiva;
  }
  while (s.back() == u'\n') {  // empty last fields are left out
    s.pop_back();
  }
  std::string tavut = utf8ksi(s);
  if (tavut.size() > EPC_ENINTAAN) {
    return vika("name", "EPC-QR-koodiin mahtuu " + std::to_string(EPC_ENINTAAN) + " tavua, tässä " +
                            std::to_string(tavut.size()));
  }
  return tavut;
}

}  // namespace kelvio
