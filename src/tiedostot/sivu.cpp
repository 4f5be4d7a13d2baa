#include "sivu.h"

#include <algorithm>

#include "dekooderit.h"
#include "tulosteet.h"

namespace kelvio {

Sivutulos sivunKoodit(const Sivu& sivu) {
  Sivutulos t;
  std::vector<Loyto>& loydot = t.koodit;
  if (sivu.pikselit != nullptr) {
    loydot = etsiSymbolit(sivu.pikselit, sivu.leveys, sivu.korkeus, sivu.rivinPituus);
  }
  t.tekstikerros = !sivu.sanat.empty();
  if (t.tekstikerros) {
    const double korkeus = sivu.sanojenKorkeus > 0 ? sivu.sanojenKorkeus : 1;
    for (Virtuaalikoodi& v : etsiVirtuaaliviivakoodit(sivu.sanat)) {
      loydot.push_back({Lahde::Teksti, std::move(v.numerot), v.y / korkeus});
    }
    for (const std::string& rivi : rivit(sivu.sanat)) {
      for (std::string& tili : tulostetutTilit(rivi)) {
        if (t.tilit.size() < SIVUN_ENINTAAN &&
            std::find(t.tilit.begin(), t.tilit.end(), tili) == t.tilit.end()) {
          t.tilit.push_back(std::move(tili));
        }
      }
      for (const std::int64_t summa : tulostetutSummat(rivi)) {
        if (t.summat.size() < SIVUN_ENINTAAN &&
            std::find(t.summat.begin(), t.summat.end(), summa) == t.summat.end()) {
          t.summat.push_back(summa);
        }
      }
    }
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Loyto& a, const Loyto& b) { return a.y < b.y; });
  // A code repeated on the page is kept once, at its highest place, and a
  // page keeps a bounded number of codes: memory stays flat in matches.
  std::vector<Loyto> erilaiset;
  for (Loyto& l : loydot) {
    const bool nahty = std::any_of(erilaiset.begin(), erilaiset.end(), [&](const Loyto& e) {
      return e.lahde == l.lahde && e.teksti == l.teksti;
    });
    if (!nahty) {
      if (erilaiset.size() == SIVUN_ENINTAAN) {
        ++t.ohitettuja;
        continue;
      }
      erilaiset.push_back(std::move(l));
    }
  }
  loydot = std::move(erilaiset);
  return t;
}

}  // namespace kelvio
