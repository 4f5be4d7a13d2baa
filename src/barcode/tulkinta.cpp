#include "tulkinta.h"

#include <cmath>

#include "RsKTL.h"
#include "SEPA.h"
#include "asettelu.h"
#include "euro.h"
#include "fe_NollatPois.h"
#include "kalenteri.h"
#include "kuviot.h"
#include "numerot.h"
#include "raporttirivit.h"

namespace kelvio {

namespace {

constexpr std::u16string_view RV = u"\r\n";

struct Otsikot {
  std::u16string_view versio;  // line 1
  std::u16string_view tili;    // the label of line 3
  std::u16string_view viite;   // the label of line 4
};

Otsikot otsikot(char16_t versio) {
  switch (versio) {
    case u'2':
      return {u"Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite",
              u"Saajan tili (kansallinen muoto) = ", u"Viitenumero (kansallinen) =  "};
    case u'4':
      return {u"Viivakoodin versio 4: euromääräinen, IBAN-tilinumero ja kansallinen viite",
              u"Saajan tili (IBAN-muodossa) = ", u"Viitenumero (kansallinen) =  "};
    default:
      return {u"Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite",
              u"Saajan tili (IBAN-muodossa) = ", u"Viitenumero (RF-viite) =  "};
  }
}

// Rounded to a whole number, a half to the even neighbour.
std::int64_t kokonaisluvuksi(double x) {
  return static_cast<std::int64_t>(std::nearbyint(x));
}

// Year, month and day read from their two characters each; none when all are 0.
std::optional<Paivays> eraPaiva(std::u16string_view kentta) {
  const double vuosi = 2000.0 + fe_yleisval(kentta.substr(0, 2));
  const double kuukausi = fe_yleisval(kentta.substr(2, 2));
  const double paiva = fe_yleisval(kentta.substr(4, 2));
  // Always built, also when not shown.
  const Paivays pvm =
      siirraPaivays(kokonaisluvuksi(vuosi), kokonaisluvuksi(kuukausi), kokonaisluvuksi(paiva));
  if (vuosi == 2000.0 && kuukausi == 0.0 && paiva == 0.0) {
    return std::nullopt;
  }
  return pvm;
}

void tulkitseVersio(std::u16string_view koodi, const Asettelu& a, const Aluesetukset& asetukset,
                    Tulkinta& t) {
  t.versio = a.versio;
  // In the order in which their errors are reported: sum, reference, account,
  // due date; each field notes whether its routines trapped an error.
  const std::uint64_t& laukeamisia = laukeamistenLaskuri();  // this thread's, read without a call
  std::uint64_t ennen = laukeamisia;
  t.sentit = fe_yleisval(osa(koodi, a.summa));
  t.virheellinen.summa = laukeamisia != ennen;

  ennen = laukeamisia;
  if (a.versio == u'5') {
    std::u16string rf = u"RF";
    rf += osa(koodi, a.viite);
    rf += fe_NollatPois(osa(koodi, a.rfRunko));
    t.viite = fe_ryhmittele(rf, 4);
  } else {
    t.viite = fe_NollatPois(osa(koodi, a.viite));
  }
  t.virheellinen.viite = laukeamisia != ennen;

  ennen = laukeamisia;
  if (a.versio == u'2') {
    t.tili = NormTili(osa(koodi, a.tili));
  } else {
    std::u16string iban = u"FI";
    iban += osa(koodi, a.tili);
    t.tili = fe_ryhmittele(iban, 4);
  }
  t.virheellinen.tili = laukeamisia != ennen;

  ennen = laukeamisia;
  t.eraPaiva = eraPaiva(osa(koodi, a.eraPaiva));
  t.virheellinen.eraPaiva = laukeamisia != ennen;

  const Otsikot o = otsikot(a.versio);
  std::u16string& r = t.raportti;
  r.reserve(256);  // the longest report of a 54-character barcode, in one allocation
  r += o.versio;
  r += RV;
  r += RV;
  r += o.tili;
  r += t.tili;
  r += RV;
  r += o.viite;
  if (a.versio == u'5') {
    r += t.viite;
  } else {
    lisaaViite(r, t.viite);
  }
  r += RV;
  lisaaErapaivaJaSumma(r, t.eraPaiva, t.sentit, asetukset);
}

}  // namespace

Tulkinta tulkitse(std::u16string_view syote, const Aluesetukset& asetukset) {
  Tulkinta t;
  t.pituus = syote.size();
  const std::u16string_view koodi = ilmanEtuliitetta(syote);
  const Asettelu* a = koodi.size() == VIIVAKOODIN_PITUUS ? asettelu(koodi[0]) : nullptr;
  if (koodi.size() != VIIVAKOODIN_PITUUS) {
    t.laji = Laji::VaaraPituus;
    t.raportti = u"Viivakoodin pituus on ";
    lisaaLuku(t.raportti, static_cast<std::int64_t>(syote.size()));
    t.raportti += u" merkkiä.";
    t.raportti += RV;
    t.raportti += u"Pankkiviivakoodin kuuluu olla 54 merkin pituinen.";
  } else if (a == nullptr) {
    t.laji = Laji::TuntematonVersio;
    t.raportti = u"Tuntematon viivakoodin esittämistapa";
    t.raportti += RV;
    t.raportti += koodi;
  } else {
    t.laji = Laji::Tulkinta;
    tulkitseVersio(koodi, *a, asetukset, t);
  }
  return t;
}

}  // namespace kelvio
