#include "RsKTL.h"

#include "fe_NollatPois.h"

namespace kelvio {

std::u16string NormTili(std::u16string_view tili) noexcept {
  return ansa<std::u16string>(NORMTILI, [&] {
    // Savings banks and co-operative banks ("4", "5") keep a 7th digit before the zeros.
    const bool seitseman = !tili.empty() && (tili[0] == u'4' || tili[0] == u'5');
    const std::size_t paa = seitseman ? 7 : 6;
    if (tili.size() < paa) {
      nosta(VIRHE_ARGUMENTTI);
    }
    std::u16string tulos(tili.substr(0, 6));
    tulos += u'-';
    if (seitseman) {
      tulos += tili[6];
    }
    tulos += fe_NollatPois(tili.substr(paa));
    return tulos;
  });
}

}  // namespace kelvio
