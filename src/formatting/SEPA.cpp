#include "formatting/SEPA.h"

#include "errors/virhe.h"

namespace kelvio {

char16_t* ryhmittele(char16_t* p, std::u16string_view teksti, std::int16_t koko) {
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
      *p++ = u' ';
      ryhmassa = 0;
    }
    *p++ = c;
    ++ryhmassa;
  }
  return p;
}

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept {
  return ansa<std::u16string>(FE_RYHMITTELE, [&] {
    std::u16string tulos(ryhmittelynTila(teksti.size(), koko), u'\0');
    tulos.resize(static_cast<std::size_t>(ryhmittele(tulos.data(), teksti, koko) - tulos.data()));
    return tulos;
  });
}

}  // namespace kelvio
