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

// yyyy-mm-dd, a real date of 2000-2099, as the field's yymmdd.
bool paivaysKentaksi(std::u16string_view p, std::string& kentta) {
  const std::optional<Paivays> pvm = isoPaivays(p);
  if (!pvm || pvm->vuosi < 2000 || pvm->vuosi > 2099) {
    return false;
  }
  kentta = ascii(p.substr(2, 2)) + ascii(p.substr(5, 2)) + ascii(p.substr(8, 2));
  return true;
}

}  // namespace

std::optional<std::int64_t> summaSentteina(std::u16string_view summa, std::u16string_view erottimet,
                                           std::size_t euroja) {
  const std::size_t erotin = summa.find_first_of(erottimet);
  const std::u16string_view eurot = summa.substr(0, erotin);
  const std::u16string_view sentit =
      erotin == std::u16string_view::npos ? std::u16string_view{} : summa.substr(erotin + 1);
  if (eurot.size() > euroja || !numeroita(eurot) || (!sentit.empty() && !numeroita(sentit)) ||
      sentit.size() > 2 || (erotin != std::u16string_view::npos && sentit.empty())) {
    return std::nullopt;
  }
  std::int64_t arvo = 0;
  for (const char16_t c : eurot) {
    arvo = arvo * 10 + (c - u'0');
  }
  for (std::size_t i = 0; i < 2; ++i) {
    arvo = arvo * 10 + (i < sentit.size() ? sentit[i] - u'0' : 0);
  }
  return arvo;
}

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
  const std::optional<std::int64_t> sentit = summaSentteina(tiedot.summa);
  if (!sentit) {
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
  aseta(a.summa, std::to_string(*sentit));
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
