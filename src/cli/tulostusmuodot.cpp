#include "tulostin.h"

#include "koodaus.h"
#include "numerot.h"
#include "utf8.h"
#include "virhe.h"

namespace kelvio {

// The table of formats: a new format is its own file and one row here.
extern const Tulostusmuoto TEKSTI, JSON_LINES, CSV, EXCEL;
namespace {
constexpr const Tulostusmuoto* MUODOT[] = {&TEKSTI, &JSON_LINES, &CSV, &EXCEL};
}  // namespace

std::span<const Tulostusmuoto* const> tulostusmuodot() {
  return MUODOT;
}

std::array<NimettyTarkiste, 5> nimetytTarkisteet(const Tarkisteet& t) {
  return {{{t.iban, "IBAN", "iban"},
           {t.tili, "tilinumero", "account"},
           {t.viite, "viitenumero", "reference"},
           {t.rf, "RF-viite", "rf_reference"},
           {t.eraPaiva, "eräpäivä", "due_date"}}};
}

std::u16string virheetTekstina() {
  std::u16string t;
  for (const Laukeaminen& l : laukeamiset()) {
    if (!t.empty()) {
      t += u"; ";
    }
    lisaaLuku(t, l.numero);
    t += u' ';
    t += l.kuvaus;
    t += u" (";
    t += l.moduuli;
    t += u'.';
    t += l.rutiini;
    t += u", ";
    lisaaLuku(t, l.kutsurivi);
    t += u')';
  }
  return t;
}

}  // namespace kelvio
