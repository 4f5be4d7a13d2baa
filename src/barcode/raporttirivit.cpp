#include "raporttirivit.h"

#include "kuviot.h"

namespace kelvio {

void lisaaErapaivaJaSumma(std::u16string& r, const std::optional<Paivays>& eraPaiva,
                          std::optional<double> sentit, const Aluesetukset& asetukset) {
  r += u"Eräpäivä = ";
  if (eraPaiva) {
    asetukset.kirjoitaPaivays(r, *eraPaiva);
  } else {
    r += u"ei eräpäivää";
  }
  r += u"\r\n";
  r += u"Summa = ";
  if (sentit) {
    lisaaSumma(r, *sentit, asetukset.desimaalierotin());
    r += u" €";
  } else {
    r += u"ei summaa";
  }
}

}  // namespace kelvio
