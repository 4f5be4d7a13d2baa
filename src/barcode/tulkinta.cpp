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

// Lines 1 and 2 and the label of line 3 of each version.
constexpr std::u16string_view ALKU2 =
    u"Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite\r\n\r\n"
    u"Saajan tili (kansallinen muoto) = ";
constexpr std::u16string_view ALKU4 =
    u"Viivakoodin versio 4: euromääräinen, IBAN-tilinumero ja kansallinen viite\r\n\r\n"
    u"Saajan tili (IBAN-muodossa) = ";
constexpr std::u16string_view ALKU5 =
    u"Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite\r\n\r\n"
    u"Saajan tili (IBAN-muodossa) = ";

constexpr std::u16string_view VAKIOT[] = {
    ALKU2,
    ALKU4,
    ALKU5,
    u"\r\nViitenumero (kansallinen) =  ",
    u"\r\nViitenumero (RF-viite) =  ",
    u"\r\nEräpäivä = ",
    u"ei eräpäivää",
    u"\r\nSumma = ",
    u" €",
    u"Viivakoodin pituus on ",
    u" merkkiä.\r\nPankkiviivakoodin kuuluu olla 54 merkin pituinen.",
    u"Tuntematon viivakoodin esittämistapa\r\n",
};
static_assert(std::size(VAKIOT) == static_cast<std::size_t>(Vakio::Maara));

constexpr Pala vakio(Vakio v) {
  return {VAKIOT[static_cast<std::size_t>(v)], v};
}

struct Asettelu {
  Vakio alku;            // lines 1 and 2 and the label of line 3
  Vakio viiteOtsikko;    // the line break and the label of line 4
  std::size_t summa;     // 8 characters
  std::size_t viite;     // national: 20 characters; RF: check digits, then 21
  std::size_t eraPaiva;  // 6 characters
};

constexpr Asettelu VERSIO2{Vakio::Alku2, Vakio::Viite, 16, 24, 44};
constexpr Asettelu VERSIO4{Vakio::Alku4, Vakio::Viite, 18, 29, 49};
constexpr Asettelu VERSIO5{Vakio::Alku5, Vakio::RfViite, 18, 26, 49};

char16_t* kopioi(char16_t* p, std::u16string_view s) {
  return std::char_traits<char16_t>::copy(p, s.data(), s.size()) + s.size();
}

std::u16string_view vali(const char16_t* alku, const char16_t* loppu) {
  return {alku, static_cast<std::size_t>(loppu - alku)};
}

template <std::size_t N>
void asetaPalat(Tulkinta& t, const Pala (&palat)[N]) {
  static_assert(N <= PALOJA_ENINTAAN);
  std::copy(std::begin(palat), std::end(palat), t.palat);
  t.paloja = N;
}

// Joins the pieces into the report with one allocation check.
void kokoa(Tulkinta& t) {
  if (!t.kokoaRaportti) {
    return;
  }
  std::size_t pituus = 0;
  for (std::size_t i = 0; i < t.paloja; ++i) {
    pituus += t.palat[i].teksti.size();
  }
  t.raportti.resize(pituus);
  char16_t* p = t.raportti.data();
  for (std::size_t i = 0; i < t.paloja; ++i) {
    p = kopioi(p, t.palat[i].teksti);
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

  std::u16string_view viiteTeksti;
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
    t.viite = viiteTeksti = vali(t.viiteTila, loppu);
  } else {
    viiteTeksti =
        vali(t.viiteTila, kirjoitaViite(t.viiteTila, nollatPois(osa(koodi, a.viite, 20))));
    const std::size_t alku = viiteTeksti.find_first_not_of(u' ');
    t.viite = viiteTeksti.substr(alku == std::u16string_view::npos ? viiteTeksti.size() : alku);
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

  asetaPalat(t, {vakio(a.alku),
                 {t.tili},
                 vakio(a.viiteOtsikko),
                 {viiteTeksti},
                 vakio(Vakio::Erapaiva),
                 t.onEraPaiva ? Pala{t.paivaysTeksti} : vakio(Vakio::EiErapaivaa),
                 vakio(Vakio::Summa),
                 {t.summaTeksti},
                 vakio(Vakio::Euro)});
}

}  // namespace

void tulkitse(std::u16string_view syote, const Aluesetukset& asetukset, Tulkinta& t) {
  t.pituus = syote.size();
  t.versio = 0;
  std::u16string_view koodi = syote;
  if (koodi.substr(0, 3) == u"105") {
    koodi.remove_prefix(3);
  }
  if (koodi.size() != PITUUS) {
    t.laji = Laji::VaaraPituus;
    const std::u16string_view pituus =
        vali(t.tyo, kirjoitaLuku(t.tyo, static_cast<std::int64_t>(syote.size())));
    asetaPalat(t, {vakio(Vakio::Pituus), {pituus}, vakio(Vakio::Merkkia)});
  } else if (koodi[0] == u'2' || koodi[0] == u'4' || koodi[0] == u'5') {
    t.laji = Laji::Tulkinta;
    t.versio = koodi[0];
    tulkitseVersio(koodi,
                   koodi[0] == u'2'   ? VERSIO2
                   : koodi[0] == u'4' ? VERSIO4
                                      : VERSIO5,
                   asetukset, t);
  } else {
    t.laji = Laji::TuntematonVersio;
    asetaPalat(t, {vakio(Vakio::Tuntematon), {koodi}});
  }
  kokoa(t);
}

std::u16string_view vakioTeksti(Vakio v) {
  return VAKIOT[static_cast<std::size_t>(v)];
}

std::u16string tulkitse(std::u16string_view syote, const Aluesetukset& asetukset) {
  Tulkinta t;
  tulkitse(syote, asetukset, t);
  return std::move(t.raportti);
}

}  // namespace kelvio
