#include "sivu.h"

#include <algorithm>

#include "dekooderit.h"

namespace kelvio {

std::vector<Loyto> sivunKoodit(const Sivu& sivu) {
  std::vector<Loyto> loydot;
  if (sivu.pikselit != nullptr) {
    loydot = etsiSymbolit(sivu.pikselit, sivu.leveys, sivu.korkeus, sivu.rivinPituus);
  }
  if (!sivu.sanat.empty()) {
    for (Virtuaalikoodi& v : etsiVirtuaaliviivakoodit(sivu.sanat)) {
      loydot.push_back({Lahde::Teksti, std::move(v.numerot), v.y / sivu.sanojenKorkeus, {}});
    }
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Loyto& a, const Loyto& b) { return a.y < b.y; });
  return loydot;
}

}  // namespace kelvio
