#include "formatting/numerot.h"

namespace kelvio {

void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys) {
  char16_t puskuri[24];
  int n = 0;
  // Unsigned, so the most negative value has a magnitude too.
  std::uint64_t arvo =
      luku < 0 ? 0 - static_cast<std::uint64_t>(luku) : static_cast<std::uint64_t>(luku);
  do {
    puskuri[n++] = static_cast<char16_t>(u'0' + arvo % 10);
    arvo /= 10;
  } while (arvo != 0);
  while (n < leveys && n < 20) {
    puskuri[n++] = u'0';
  }
  if (luku < 0) {
    kohde.push_back(u'-');
  }
  while (n > 0) {
    kohde.push_back(puskuri[--n]);
  }
}

}  // namespace kelvio
