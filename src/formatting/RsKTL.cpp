#include "formatting/RsKTL.h"

#include "errors/virhe.h"
#include "formatting/nollat.h"

namespace kelvio {

void normTili(std::u16string& kohde, std::u16string_view tili) {
  // Savings banks and co-operative banks ("4", "5") keep a 7th digit before the zeros.
  const bool seitseman = !tili.empty() && (tili[0] == u'4' || tili[0] == u'5');
  const std::size_t paa = seitseman ? 7 : 6;
  if (tili.size() < paa) {
    nosta(VIRHE_ARGUMENTTI);
  }
  kohde.append(tili.substr(0, 6));
  kohde.push_back(u'-');
  if (seitseman) {
    kohde.push_back(tili[6]);
  }
  kohde.append(nollatPois(tili.substr(paa)));
}

std::u16string NormTili(std::u16string_view tili) noexcept {
  std::u16string tulos;
  ansaLisaa(tulos, NORMTILI, [&] { normTili(tulos, tili); });
  return tulos;
}

}  // namespace kelvio
