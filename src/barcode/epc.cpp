#include "epc.h"

#include "SEPA.h"
#include "kuviot.h"
#include "merkit.h"
#include "numerot.h"
#include "raporttirivit.h"
#include "utf8.h"

namespace kelvio {

namespace {

constexpr std::u16string_view RV = u"\r\n";

// "EUR" and 0.01 to 999999999.99 with "." and at most two decimals.
std::optional<std::int64_t> summa(std::u16string_view t) {
  if (t.substr(0, 3) != u"EUR") {
    return std::nullopt;
  }
  t.remove_prefix(3);
  const std::optional<std::int64_t> arvo = summaSentteina(t, u".", 9);
  return arvo && *arvo >= 1 ? arvo : std::nullopt;
}

bool ohjausmerkki(std::u16string_view t) {
  for (const char16_t c : t) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool bicMuoto(std::u16string_view bic) {
  return (bic.size() == 8 || bic.size() == 11) && kirjaimiaJaNumeroita(bic);
}

EpcLaji lueEpc(std::u16string_view teksti, EpcMaksu& m, std::u16string& virhe) {
  const std::u16string_view alkuperainen = teksti;
  std::u16string rivit[12];
  std::size_t n = 0;
  while (!teksti.empty() || n == 0) {
    std::size_t loppu = teksti.find(u'\n');
    std::u16string_view rivi = teksti.substr(0, loppu);
    teksti.remove_prefix(loppu == std::u16string_view::npos ? teksti.size() : loppu + 1);
    if (!rivi.empty() && rivi.back() == u'\r') {
      rivi.remove_suffix(1);
    }
    if (n == 12) {
      if (!rivi.empty() || !teksti.empty()) {
        virhe = u"EPC-QR-koodissa on yli 12 riviä";
        return EpcLaji::Virheellinen;
      }
      break;
    }
    rivit[n++] = rivi;
  }
  if (rivit[0] != u"BCD") {
    return EpcLaji::EiEpc;
  }
  const auto vika = [&](std::u16string_view teksti) {
    virhe = u"EPC-QR-koodi: ";
    virhe += teksti;
    return EpcLaji::Virheellinen;
  };
  for (std::size_t i = 0; i < n; ++i) {
    if (ohjausmerkki(rivit[i])) {
      std::u16string t = u"ohjausmerkki rivillä ";
      lisaaLuku(t, static_cast<std::int64_t>(i + 1));
      return vika(t);
    }
  }
  m.versio = rivit[1];
  if (m.versio != u"001" && m.versio != u"002") {
    return vika(u"versio ei ole 001 eikä 002");
  }
  if (rivit[2].size() != 1 || rivit[2][0] < u'1' || rivit[2][0] > u'8') {
    return vika(u"merkistö ei ole 1-8");
  }
  if (std::u16string_view(alkuperainen).find(u'\uFFFD') != std::u16string_view::npos) {
    std::u16string t = u"tavut eivät ole merkistön ";
    t += rivit[2];
    t += u" merkkejä (1 UTF-8, 2-8 ISO 8859 -1, -2, -4, -5, -7, -10, -15)";
    return vika(t);
  }
  // The limit is on the bytes: UTF-8 takes up to three a character here,
  // the others one.
  std::size_t tavuja = 0;
  for (const char16_t c : alkuperainen) {
    tavuja += rivit[2][0] != u'1' || c < 0x80 ? 1 : c < 0x800 ? 2 : (c & 0xF800) == 0xD800 ? 2 : 3;
  }
  if (tavuja > EPC_ENINTAAN) {
    std::u16string t = u"sisältö on ";
    lisaaLuku(t, static_cast<std::int64_t>(tavuja));
    t += u" tavua, enintään 331";
    return vika(t);
  }
  if (rivit[3] != u"SCT") {
    return vika(u"tunniste ei ole SCT");
  }
  m.bic = rivit[4];
  if ((m.bic.empty() && m.versio == u"001") || (!m.bic.empty() && !bicMuoto(m.bic))) {
    return vika(u"BIC on 8 tai 11 kirjainta ja numeroa (versiossa 001 pakollinen)");
  }
  m.nimi = rivit[5];
  if (m.nimi.empty() || m.nimi.size() > 70) {
    return vika(u"saajan nimi on 1-70 merkkiä");
  }
  m.iban = rivit[6];
  if (m.iban.size() < 5 || m.iban.size() > 34 || !kirjaimiaJaNumeroita(m.iban)) {
    return vika(u"IBAN on 5-34 kirjainta ja numeroa");
  }
  if (!rivit[7].empty()) {
    m.sentit = summa(rivit[7]);
    if (!m.sentit) {
      return vika(u"summa on EUR ja 0.01-999999999.99");
    }
  }
  if (rivit[8].size() > 4) {
    return vika(u"tarkoituskoodi on enintään 4 merkkiä");
  }
  m.viite = rivit[9];
  m.viesti = rivit[10];
  if (m.viite.size() > 35) {
    return vika(u"viite on enintään 35 merkkiä");
  }
  if (m.viite.starts_with(u"RF")) {
    if (m.viite.size() < 5 || m.viite.size() > 25 || !numeroita(m.viite.substr(2, 2)) ||
        !kirjaimiaJaNumeroita(m.viite)) {
      return vika(u"RF-viite on RF, kaksi tarkistenumeroa ja 1-21 kirjainta tai numeroa");
    }
  } else if (!m.viite.empty() && !kansallinenViiteMuoto(m.viite)) {
    return vika(u"kansallinen viite on 4-20 numeroa (tai RF-viite)");
  }
  if (m.viesti.size() > 140) {
    return vika(u"viesti on enintään 140 merkkiä");
  }
  if (!m.viite.empty() && !m.viesti.empty()) {
    return vika(u"viite ja viesti eivät voi olla molemmat");
  }
  m.tiedot = rivit[11];
  if (m.tiedot.size() > 70) {
    return vika(u"lisätieto on enintään 70 merkkiä");
  }
  if (m.tiedot.starts_with(ERAPAIVA)) {
    m.eraPaiva = isoPaivays(std::u16string_view(m.tiedot).substr(ERAPAIVA.size()));
    if (!m.eraPaiva) {
      return vika(u"eräpäivä ei ole todellinen päivä muodossa ReqdExctnDt/VVVV-KK-PP");
    }
  }
  return EpcLaji::Maksu;
}

Tarkisteet tarkistaEpc(const EpcMaksu& m) {
  Tarkisteet t;
  t.iban = ibanKelpaa(m.iban);
  if (m.viite.starts_with(u"RF")) {
    t.rf = rfKelpaa(m.viite);
  } else if (!m.viite.empty()) {
    t.viite = viiteKelpaa(m.viite);
  }
  return t;
}

std::u16string epcRaportti(const EpcMaksu& m, const Aluesetukset& asetukset) {
  std::u16string r = u"EPC-QR-koodi (versio ";
  r += m.versio;
  r += u"): tilisiirto";
  r += RV;
  r += RV;
  r += u"Saaja = ";
  r += m.nimi;
  r += RV;
  r += u"Saajan tili (IBAN-muodossa) = ";
  r += fe_ryhmittele(m.iban, 4);
  r += RV;
  if (m.viite.starts_with(u"RF")) {
    r += u"Viitenumero (RF-viite) =  ";
    r += fe_ryhmittele(m.viite, 4);
  } else if (!m.viite.empty()) {
    r += u"Viitenumero (kansallinen) =  ";
    lisaaViite(r, m.viite);
  } else {
    r += u"Viesti = ";
    r += m.viesti;
  }
  r += RV;
  lisaaErapaivaJaSumma(
      r, m.eraPaiva,
      m.sentit ? std::optional<double>(static_cast<double>(*m.sentit)) : std::nullopt, asetukset);
  return r;
}

}  // namespace kelvio
