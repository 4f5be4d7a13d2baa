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

constexpr std::u16string_view RIVINVAIHTO = u"\r\n";
constexpr std::size_t PITUUS = 54;

// Mid$ with 1-based positions; the barcode is always 54 characters here.
constexpr std::u16string_view osa(std::u16string_view koodi, std::size_t alku, std::size_t pituus) {
  return koodi.substr(alku - 1, pituus);
}

struct Asettelu {
  std::u16string_view otsikko;
  std::size_t summa;     // 8 characters
  std::size_t viite;     // national: 20 characters; RF: check digits, then 21
  std::size_t eraPaiva;  // 6 characters
};

constexpr Asettelu VERSIO2{
    u"Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite", 16, 24,
    44};
constexpr Asettelu VERSIO4{
    u"Viivakoodin versio 4: euromääräinen, IBAN-tilinumero ja kansallinen viite", 18, 29, 49};
constexpr Asettelu VERSIO5{u"Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite", 18,
                           26, 49};

void eraPaiva(std::u16string_view kentta, Tulkinta& t) {
  const double vuosi = 2000.0 + fe_yleisval(kentta.substr(0, 2));
  const double kuukausi = fe_yleisval(kentta.substr(2, 2));
  const double paiva = fe_yleisval(kentta.substr(4, 2));
  // Rounding to the even neighbour is the default rounding mode.
  t.eraPaiva = siirraPaivays(static_cast<std::int64_t>(std::nearbyint(vuosi)),
                             static_cast<std::int64_t>(std::nearbyint(kuukausi)),
                             static_cast<std::int64_t>(std::nearbyint(paiva)));
  t.onEraPaiva = !(vuosi == 2000.0 && kuukausi == 0.0 && paiva == 0.0);
}

void tulkitseVersio(std::u16string_view koodi, const Asettelu& a, const Aluesetukset& asetukset,
                    Tulkinta& t) {
  const bool rf = t.versio == u'5';
  // The order of the steps is the order in which errors are reported.
  t.sentit = fe_yleisval(osa(koodi, a.summa, 8));
  t.summaTeksti.clear();
  kirjoitaSumma(t.summaTeksti, t.sentit, asetukset.desimaalierotin());

  t.viite.clear();
  t.viiteTeksti.clear();
  if (rf) {
    t.tyo.assign(u"RF"sv);
    t.tyo.append(osa(koodi, a.viite, 2));
    t.tyo.append(nollatPois(osa(koodi, a.viite + 2, 21)));
    ansaLisaa(t.viite, 6024, u"SEPA", u"fe_ryhmittele", [&] { ryhmittele(t.viite, t.tyo, 4); });
    t.viiteTeksti.append(t.viite);
  } else {
    kirjoitaViite(t.viiteTeksti, nollatPois(osa(koodi, a.viite, 20)));
    const std::size_t alku = t.viiteTeksti.find_first_not_of(u' ');
    t.viite.assign(t.viiteTeksti, alku == std::u16string::npos ? t.viiteTeksti.size() : alku);
  }

  t.tili.clear();
  if (t.versio == u'2') {
    ansaLisaa(t.tili, 2043, u"RsKTL", u"NormTili", [&] { normTili(t.tili, osa(koodi, 2, 14)); });
  } else {
    t.tyo.assign(u"FI"sv);
    t.tyo.append(osa(koodi, 2, 16));
    ansaLisaa(t.tili, 6024, u"SEPA", u"fe_ryhmittele", [&] { ryhmittele(t.tili, t.tyo, 4); });
  }

  eraPaiva(osa(koodi, a.eraPaiva, 6), t);

  std::u16string& r = t.raportti;
  r.append(a.otsikko);
  r.append(RIVINVAIHTO);
  r.append(RIVINVAIHTO);
  r.append(t.versio == u'2' ? u"Saajan tili (kansallinen muoto) = "sv
                            : u"Saajan tili (IBAN-muodossa) = "sv);
  r.append(t.tili);
  r.append(RIVINVAIHTO);
  r.append(rf ? u"Viitenumero (RF-viite) =  "sv : u"Viitenumero (kansallinen) =  "sv);
  r.append(t.viiteTeksti);
  r.append(RIVINVAIHTO);
  r.append(u"Eräpäivä = "sv);
  if (t.onEraPaiva) {
    asetukset.kirjoitaPaivays(r, t.eraPaiva);
  } else {
    r.append(u"ei eräpäivää"sv);
  }
  r.append(RIVINVAIHTO);
  r.append(u"Summa = "sv);
  r.append(t.summaTeksti);
  r.append(u" €"sv);
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
