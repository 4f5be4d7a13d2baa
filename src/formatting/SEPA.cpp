#include "SEPA.h"

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
    // The rest without its spaces, a space before each full group that more follows.
    std::u16string tulos;
    tulos.reserve(teksti.size() + teksti.size() / static_cast<std::size_t>(koko));
    std::size_t ryhmassa = 0;
    for (const char16_t c : teksti) {
      if (c == u' ') {
        continue;
      }
      if (ryhmassa == static_cast<std::size_t>(koko)) {
        tulos += u' ';
        ryhmassa = 0;
      }
      tulos += c;
      ++ryhmassa;
    }
    return tulos;
  });
}

}  // namespace kelvio
