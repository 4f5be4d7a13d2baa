#include "barcode/tulkinta.h"

#include <cmath>

#include "errors/virhe.h"
#include "formatting/RsKTL.h"
#include "formatting/SEPA.h"
#include "formatting/euro.h"
#include "formatting/kalenteri.h"
#include "formatting/kuviot.h"
#include "formatting/nollat.h"
#include "formatting/numerot.h"

namespace kelvio {

namespace {

using namespace std::string_view_literals;

constexpr std::size_t PITUUS = 54;

// Mid$ with 1-based positions; the barcode is always 54 characters here.
constexpr std::u16string_view osa(std::u16string_view koodi, std::size_t alku, std::size_t pituus) {
  return koodi.substr(alku - 1, pituus);
}

struct Asettelu {
  std::u16string_view alku;          // lines 1 and 2 and the label of line 3
  std::u16string_view viiteOtsikko;  // the line break and the label of line 4
  std::size_t summa;                 // 8 characters
  std::size_t viite;                 // national: 20 characters; RF: check digits, then 21
  std::size_t eraPaiva;              // 6 characters
};

constexpr Asettelu VERSIO2{
    u"Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite\r\n\r\n"
    u"Saajan tili (kansallinen muoto) = ",
    u"\r\nViitenumero (kansallinen) =  ", 16, 24, 44};
constexpr Asettelu VERSIO4{
    u"Viivakoodin versio 4: euromääräinen, IBAN-tilinumero ja kansallinen viite\r\n\r\n"
    u"Saajan tili (IBAN-muodossa) = ",
    u"\r\nViitenumero (kansallinen) =  ", 18, 29, 49};
constexpr Asettelu VERSIO5{
    u"Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite\r\n\r\n"
    u"Saajan tili (IBAN-muodossa) = ",
    u"\r\nViitenumero (RF-viite) =  ", 18, 26, 49};

char16_t* kopioi(char16_t* p, std::u16string_view s) {
  return std::char_traits<char16_t>::copy(p, s.data(), s.size()) + s.size();
}

std::u16string_view vali(const char16_t* alku, const char16_t* loppu) {
  return {alku, static_cast<std::size_t>(loppu - alku)};
}

// Joins the pieces into kohde with one allocation check.
template <std::size_t N>
void liita(std::u16string& kohde, const std::u16string_view (&osat)[N]) {
  std::size_t pituus = 0;
  for (const auto& o : osat) {
    pituus += o.size();
  }
  kohde.resize(pituus);
  char16_t* p = kohde.data();
  for (const auto& o : osat) {
    std::char_traits<char16_t>::copy(p, o.data(), o.size());
    p += o.size();
  }
}

// Rounded to the nearest whole number, a half to the even neighbour (the
// default rounding mode). The fields are two characters, so the values are small.
std::int64_t kokonaisluvuksi(double x) {
  const auto kokonainen = static_cast<std::int64_t>(x);
  if (static_cast<double>(kokonainen) == x) {
    return kokonainen;  // digits: nothing to round
  }
  return static_cast<std::int64_t>(std::nearbyint(x));
}

void eraPaiva(std::u16string_view kentta, Tulkinta& t) {
  const double vuosi = 2000.0 + yleisvalNopea(kentta.substr(0, 2));
  const double kuukausi = yleisvalNopea(kentta.substr(2, 2));
  const double paiva = yleisvalNopea(kentta.substr(4, 2));
  t.eraPaiva =
      siirraPaivays(kokonaisluvuksi(vuosi), kokonaisluvuksi(kuukausi), kokonaisluvuksi(paiva));
  t.onEraPaiva = !(vuosi == 2000.0 && kuukausi == 0.0 && paiva == 0.0);
}

void tulkitseVersio(std::u16string_view koodi, const Asettelu& a, const Aluesetukset& asetukset,
                    Tulkinta& t) {
  const bool rf = t.versio == u'5';
  // The order of the steps is the order in which errors are reported.
  t.sentit = yleisvalNopea(osa(koodi, a.summa, 8));
  t.summaTeksti.clear();
  kirjoitaSumma(t.summaTeksti, t.sentit, asetukset.desimaalierotin());

  if (rf) {
    // "RF", the check digits and the digits without leading zeros: at most 25.
    char16_t* p = t.tyo;
    *p++ = u'R';
    *p++ = u'F';
    p = kopioi(p, osa(koodi, a.viite, 2));
    p = kopioi(p, nollatPois(osa(koodi, a.viite + 2, 21)));
    const std::u16string_view rfTeksti(t.tyo, static_cast<std::size_t>(p - t.tyo));
    char16_t* loppu = ansaKirjoita(t.viiteTila, FE_RYHMITTELE,
                                   [&](char16_t* q) { return ryhmittele(q, rfTeksti, 4); });
    t.viite = t.viiteTeksti = vali(t.viiteTila, loppu);
  } else {
    t.viiteTeksti =
        vali(t.viiteTila, kirjoitaViite(t.viiteTila, nollatPois(osa(koodi, a.viite, 20))));
    const std::size_t alku = t.viiteTeksti.find_first_not_of(u' ');
    t.viite = t.viiteTeksti.substr(alku == std::u16string_view::npos ? t.viiteTeksti.size() : alku);
  }

  char16_t* tiliLoppu = nullptr;
  if (t.versio == u'2') {
    tiliLoppu = ansaKirjoita(t.tiliTila, NORMTILI,
                             [&](char16_t* q) { return normTili(q, osa(koodi, 2, 14)); });
  } else {
    char16_t* p = t.tyo;
    *p++ = u'F';
    *p++ = u'I';
    p = kopioi(p, osa(koodi, 2, 16));
    const std::u16string_view iban(t.tyo, static_cast<std::size_t>(p - t.tyo));
    tiliLoppu = ansaKirjoita(t.tiliTila, FE_RYHMITTELE,
                             [&](char16_t* q) { return ryhmittele(q, iban, 4); });
  }
  t.tili = vali(t.tiliTila, tiliLoppu);

  eraPaiva(osa(koodi, a.eraPaiva, 6), t);
  t.paivaysTeksti.clear();
  if (t.onEraPaiva) {
    asetukset.kirjoitaPaivays(t.paivaysTeksti, t.eraPaiva);
  }

  liita(t.raportti, {a.alku, t.tili, a.viiteOtsikko, t.viiteTeksti, u"\r\nEräpäivä = "sv,
                     t.onEraPaiva ? std::u16string_view(t.paivaysTeksti) : u"ei eräpäivää"sv,
                     u"\r\nSumma = "sv, t.summaTeksti, u" €"sv});
}

}  // namespace

void tulkitse(std::u16string_view syote, const Aluesetukset& asetukset, Tulkinta& t) {
  t.raportti.clear();
  t.pituus = syote.size();
  t.versio = 0;
  std::u16string_view koodi = syote;
  if (koodi.substr(0, 3) == u"105") {
    koodi.remove_prefix(3);
  }
  if (koodi.size() != PITUUS) {
    t.laji = Laji::VaaraPituus;
    t.raportti.append(u"Viivakoodin pituus on "sv);
    lisaaLuku(t.raportti, static_cast<std::int64_t>(syote.size()));
    t.raportti.append(u" merkkiä.\r\nPankkiviivakoodin kuuluu olla 54 merkin pituinen."sv);
    return;
  }
  const Asettelu* asettelu = nullptr;
  switch (koodi[0]) {
    case u'2': asettelu = &VERSIO2; break;
    case u'4': asettelu = &VERSIO4; break;
    case u'5': asettelu = &VERSIO5; break;
    default:
      t.laji = Laji::TuntematonVersio;
      t.raportti.append(u"Tuntematon viivakoodin esittämistapa\r\n"sv);
      t.raportti.append(koodi);
      return;
  }
  t.laji = Laji::Tulkinta;
  t.versio = koodi[0];
  tulkitseVersio(koodi, *asettelu, asetukset, t);
}

std::u16string tulkitse(std::u16string_view syote, const Aluesetukset& asetukset) {
  Tulkinta t;
  tulkitse(syote, asetukset, t);
  return std::move(t.raportti);
}

}  // namespace kelvio
