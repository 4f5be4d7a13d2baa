#include "fe_virheraportti.h"

#include "alusta.h"
#include "fe_apppath.h"
#include "virhe.h"

namespace kelvio {

std::u16string fe_virheraportti() noexcept {
  const char16_t* const RV = u"\r\n";
  std::u16string raportti;
  try {
    try {
      // Each line is built whole before it is added.
      raportti = alusta().sovelluksenNimi() + u" - virheraportti" + RV;
      raportti += RV;
      raportti += u"6.0-versio: \r\n";
      raportti += u"fe_apppath(): " + fe_apppath() + RV;
      raportti += u"App.EXEName: " + alusta().ohjelmanNimi() + RV;
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
