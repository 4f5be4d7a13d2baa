#include "sivusaannot.h"

#include <algorithm>

#include "asettelu.h"

namespace kelvio {

std::vector<Koodi> kokoaSivu(const std::vector<Loyto>& loydot) {
  std::vector<Koodi> koodit;
  for (const Loyto& l : loydot) {
    const bool qr = l.lahde == Lahde::Qr;
    auto k = std::find_if(koodit.begin(), koodit.end(),
                          [&](const Koodi& k) { return k.qr == qr && k.teksti == l.teksti; });
    if (k == koodit.end()) {
      koodit.push_back({l.teksti, qr, 0, l.y, false, l.lasku});
      k = koodit.end() - 1;
    }
    k->lahteet |= lahdeBitti(l.lahde);
    k->y = std::min(k->y, l.y);
  }
  std::stable_sort(koodit.begin(), koodit.end(),
                   [](const Koodi& a, const Koodi& b) { return a.y < b.y; });
  constexpr unsigned SYMBOLI = lahdeBitti(Lahde::Viivakoodi);
  constexpr unsigned TEKSTI = lahdeBitti(Lahde::Teksti);
  const auto vainYksi = [](const Koodi& k) {
    const unsigned l = k.lahteet & (SYMBOLI | TEKSTI);
    return pankkiviivakoodi(k.teksti) && (l == SYMBOLI || l == TEKSTI) ? l : 0U;
  };
  unsigned yksin = 0;
  for (const Koodi& k : koodit) {
    yksin |= vainYksi(k);
  }
  if (yksin == (SYMBOLI | TEKSTI)) {
    for (Koodi& k : koodit) {
      k.ristiriita = vainYksi(k) != 0;
    }
  }
  return koodit;
}

}  // namespace kelvio
