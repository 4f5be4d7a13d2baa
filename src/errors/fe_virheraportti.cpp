#include "fe_virheraportti.h"

#include "alusta.h"
#include "fe_apppath.h"
#include "virhe.h"

namespace kelvio {

namespace {

// A control character of a name from the system (a folder named with a line
// break) in caret notation, so that it cannot forge a line of the log.
std::u16string nakyvaksi(std::u16string t) {
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] < 0x20 || t[i] == 0x7F) {
      t.insert(i + 1, 1, t[i] == 0x7F ? u'?' : static_cast<char16_t>(t[i] + 0x40));
      t[i] = u'^';
    }
  }
  return t;
}

}  // namespace

std::u16string fe_virheraportti() noexcept {
  const char16_t* const RV = u"\r\n";
  std::u16string raportti;
  try {
    try {
      // Each line is built whole before it is added.
      raportti = alusta().sovelluksenNimi() + u" - virheraportti" + RV;
      raportti += RV;
      raportti += u"6.0-versio: \r\n";
      raportti += u"fe_apppath(): " + nakyvaksi(fe_apppath()) + RV;
      raportti += u"App.EXEName: " + nakyvaksi(alusta().ohjelmanNimi()) + RV;
      raportti += u"Työhakemisto: \r\n";
      const Hetki nyt = alusta().nyt();
      std::u16string rivi = u"Tulostettu: ";
      alusta().aluesetukset().kirjoitaPaivays(rivi, nyt.paivays);
      raportti += rivi + RV;
      rivi = u"Kello: ";
      alusta().aluesetukset().kirjoitaAika(rivi, nyt.aika);
      raportti += rivi + RV;
      raportti += RV;
      return raportti;
    } catch (...) {
      kirjaaVirhe();
    }
    raportti += u"\n\rVirhe virherivin muodostuksessa:";
    raportti += nykyinenVirhe().kuvaus;
    return raportti;
  } catch (...) {
    return raportti;
  }
}

}  // namespace kelvio
