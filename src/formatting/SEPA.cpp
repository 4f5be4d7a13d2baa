#include "SEPA.h"

#include <algorithm>

namespace kelvio {

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept {
  return ansa<std::u16string>(FE_RYHMITTELE, [&] {
    // Step 1, the space removal, counts positions in 16 bits.
    if (teksti.size() >= 32767) {
      nosta(VIRHE_YLIVUOTO);
    }
    if (koko < 1) {
      nosta(VIRHE_ARGUMENTTI);
    }
    // The rest without its spaces, a space before each full group that more
    // follows; the length is known, so the text is written in place.
    const auto ryhma = static_cast<std::size_t>(koko);
    const auto merkkeja = static_cast<std::size_t>(
        teksti.size() - static_cast<std::size_t>(std::count(teksti.begin(), teksti.end(), u' ')));
    std::u16string tulos(merkkeja == 0 ? 0 : merkkeja + (merkkeja - 1) / ryhma, u' ');
    std::size_t kohta = 0;
    std::size_t ryhmassa = 0;
    for (const char16_t c : teksti) {
      if (c == u' ') {
        continue;
      }
      if (ryhmassa == ryhma) {
        ++kohta;  // the space already there
        ryhmassa = 0;
      }
      tulos[kohta++] = c;
      ++ryhmassa;
    }
    return tulos;
  });
}

}  // namespace kelvio
