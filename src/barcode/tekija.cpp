#include "tekija.h"

#include "asettelu.h"
#include "kalenteri.h"
#include "merkit.h"
#include "tarkisteet.h"

namespace kelvio {

namespace {

std::string ascii(std::u16string_view numerot) {
  return {numerot.begin(), numerot.end()};
}

std::string nollilla(std::u16string_view numerot, std::size_t pituus) {
  return std::string(pituus - numerot.size(), '0') + ascii(numerot);
}

// The amount in cents as 8 digits: up to six euro digits, "." or "," and up to two decimals.
bool summaKentaksi(std::u16string_view summa, std::string& kentta) {
  const std::size_t erotin = summa.find_first_of(u".,");
  const std::u16string_view eurot = summa.substr(0, erotin);
  const std::u16string_view sentit =
      erotin == std::u16string_view::npos ? std::u16string_view{} : summa.substr(erotin + 1);
  if (eurot.size() > 6 || !numeroita(eurot) || (!sentit.empty() && !numeroita(sentit)) ||
      sentit.size() > 2 || (erotin != std::u16string_view::npos && sentit.empty())) {
    return false;
  }
  kentta = nollilla(eurot, 6) + ascii(sentit) + std::string(2 - sentit.size(), '0');
  return true;
}

// yyyy-mm-dd, a real date of 2000-2099, as the field's yymmdd.
bool paivaysKentaksi(std::u16string_view p, std::string& kentta) {
  if (p.size() != 10 || p[4] != u'-' || p[7] != u'-' || !numeroita(p.substr(0, 4)) ||
      !numeroita(p.substr(5, 2)) || !numeroita(p.substr(8, 2))) {
    return false;
  }
  const auto luku = [&](std::size_t alku, std::size_t n) {
    return std::stoi(ascii(p.substr(alku, n)));
  };
  const int vuosi = luku(0, 4);
  const int kuukausi = luku(5, 2);
  const int paiva = luku(8, 2);
  const Paivays tarkistettu = siirraPaivays(vuosi, kuukausi, paiva);
  if (vuosi < 2000 || vuosi > 2099 || kuukausi < 1 || kuukausi > 12 ||
      tarkistettu.kuukausi != kuukausi || tarkistettu.paiva != paiva) {
    return false;
  }
  kentta = ascii(p.substr(2, 2)) + ascii(p.substr(5, 2)) + ascii(p.substr(8, 2));
  return true;
}

}  // namespace

std::u16string tiivista(std::u16string_view teksti) {
  std::u16string tulos;
  for (const char16_t c : teksti) {
    if (c != u' ') {
      tulos += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
  }
  return tulos;
}

std::string teeViivakoodi(const Laskutiedot& tiedot, std::string& virhe, std::string* kentta) {
  const auto vika = [&](std::string_view nimi, std::string_view viesti) {
    virhe = viesti;
    if (kentta != nullptr) {
      *kentta = nimi;
    }
    return std::string();
  };
  const std::u16string iban = tiivista(tiedot.iban);
  if (iban.size() != 18 || iban.substr(0, 2) != u"FI" || !numeroita(iban.substr(2))) {
    return vika("iban",
                "IBAN: suomalainen tilinumero on FI ja 16 numeroa (18 merkkiä ilman välilyöntejä)");
  }
  if (!ibanKelpaa(iban)) {
    return vika("iban", "IBAN: tarkistenumerot eivät täsmää (ISO 13616)");
  }
  std::string summa;
  if (!summaKentaksi(tiedot.summa, summa)) {
    return vika("amount",
                "summa: 0-999999,99 euroa, desimaalierottimena piste tai pilkku ja enintään kaksi "
                "desimaalia");
  }
  std::string paiva = "000000";
  if (!tiedot.eraPaiva.empty() && !paivaysKentaksi(tiedot.eraPaiva, paiva)) {
    return vika(
        "due",
        "eräpäivä: todellinen päivämäärä muodossa VVVV-KK-PP väliltä 2000-01-01 - 2099-12-31");
  }
  const std::u16string viite = tiivista(tiedot.viite);
  const bool rf = viite.substr(0, 2) == u"RF";
  if (rf) {
    if (viite.size() < 5 || viite.size() > 25 || !numeroita(viite.substr(2, 2)) ||
        !numeroita(std::u16string_view(viite).substr(4))) {
      return vika("reference", "viite: RF-viite on RF, kaksi tarkistenumeroa ja 1-21 numeroa");
    }
    if (!rfKelpaa(viite)) {
      return vika("reference", "viite: RF-viitteen tarkistenumerot eivät täsmää (ISO 11649)");
    }
  } else {
    if (viite.size() > 20 || !kansallinenViiteMuoto(viite)) {
      return vika("reference", "viite: kansallinen viite on 4-20 numeroa (tai RF-viite)");
    }
    if (!viiteKelpaa(viite)) {
      return vika("reference", "viite: tarkistenumero ei täsmää (painot 7, 3, 1)");
    }
  }
  // The fields where the interpretation reads them: each right-aligned in its
  // place, zeros in front and in the places between fields.
  const Asettelu& a = rf ? VERSIO5 : VERSIO4;
  std::string koodi(VIIVAKOODIN_PITUUS, '0');
  koodi[0] = static_cast<char>(a.versio);
  const auto aseta = [&](Kentta k, const std::string& arvo) {
    koodi.replace(k.alku - 1 + k.pituus - arvo.size(), arvo.size(), arvo);
  };
  aseta(a.tili, ascii(iban.substr(2)));
  aseta(a.summa, summa);
  if (rf) {
    aseta(a.viite, ascii(viite.substr(2, 2)));
    aseta(a.rfRunko, ascii(std::u16string_view(viite).substr(4)));
  } else {
    aseta(a.viite, ascii(viite));
  }
  aseta(a.eraPaiva, paiva);
  return koodi;
}

}  // namespace kelvio
