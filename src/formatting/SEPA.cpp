#include "formatting/SEPA.h"

#include <algorithm>

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
  // Room for the worst case, written through a pointer, then cut to size.
  const std::size_t alku = kohde.size();
  kohde.resize(alku + teksti.size() + teksti.size() / ryhma);
  char16_t* const ensimmainen = kohde.data() + alku;
  char16_t* p = ensimmainen;
  bool valeja = false;
  for (const char16_t c : teksti) {
    valeja |= c == u' ';
  }
  if (!valeja) {
    // The usual case: whole blocks copied at once.
    for (std::size_t i = 0; i < teksti.size(); i += ryhma) {
      if (i > 0) {
        *p++ = u' ';
      }
      const std::size_t n = std::min(ryhma, teksti.size() - i);
      std::char_traits<char16_t>::copy(p, teksti.data() + i, n);
      p += n;
    }
  } else {
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
  }
  kohde.resize(alku + static_cast<std::size_t>(p - ensimmainen));
}

std::u16string fe_ryhmittele(std::u16string_view teksti, std::int16_t koko) noexcept {
  std::u16string tulos;
  ansaLisaa(tulos, FE_RYHMITTELE, [&] { ryhmittele(tulos, teksti, koko); });
  return tulos;
}

}  // namespace kelvio
