#include "formatting/SEPA.h"

#include "errors/virhe.h"

namespace kelvio {

void ryhmittele(std::u16string& kohde, std::u16string_view teksti, std::int16_t koko) {
  if (koko < 1) {
    nosta(VIRHE_ARGUMENTTI);
  }
  // The space removal counts positions in 16 bits.
  if (teksti.size() >= 32767) {
    nosta(VIRHE_YLIVUOTO);
  }
  const auto ryhma = static_cast<std::size_t>(koko);
  std::size_t ryhmassa = 0;
  for (const char16_t c : teksti) {
    if (c == u' ') {
      continue;
    }
    if (ryhmassa == ryhma) {
      kohde.push_back(u' ');
      ryhmassa = 0;
    }
    kohde.push_back(c);
    ++ryhmassa;
  }
}

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept {
  std::u16string tulos;
  ansaLisaa(tulos, 6024, u"SEPA", u"fe_ryhmittele", [&] { ryhmittele(tulos, teksti, koko); });
  return tulos;
}

}  // namespace kelvio
