#include "formatting/RsKTL.h"

#include "errors/virhe.h"
#include "formatting/nollat.h"

namespace kelvio {

char16_t* normTili(char16_t* p, std::u16string_view tili) {
  // Savings banks and co-operative banks ("4", "5") keep a 7th digit before the zeros.
  const bool seitseman = !tili.empty() && (tili[0] == u'4' || tili[0] == u'5');
  const std::size_t paa = seitseman ? 7 : 6;
  if (tili.size() < paa) {
    nosta(VIRHE_ARGUMENTTI);
  }
  p = std::char_traits<char16_t>::copy(p, tili.data(), 6) + 6;
  *p++ = u'-';
  if (seitseman) {
    *p++ = tili[6];
  }
  const std::u16string_view loppu = nollatPois(tili.substr(paa));
  std::char_traits<char16_t>::copy(p, loppu.data(), loppu.size());
  return p + loppu.size();
}

std::u16string NormTili(std::u16string_view tili) noexcept {
  return ansa<std::u16string>(NORMTILI, [&] {
    std::u16string tulos(tili.size() + 1, u'\0');
    tulos.resize(static_cast<std::size_t>(normTili(tulos.data(), tili) - tulos.data()));
    return tulos;
  });
}

}  // namespace kelvio
