#include "numerot.h"

#include <iterator>

namespace kelvio {

void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys) {
  char16_t numerot[24];
  char16_t* const loppu = std::end(numerot);
  char16_t* p = loppu;
  // Unsigned, so the most negative value has a magnitude too.
  std::uint64_t arvo =
      luku < 0 ? 0 - static_cast<std::uint64_t>(luku) : static_cast<std::uint64_t>(luku);
  do {
    *--p = static_cast<char16_t>(u'0' + arvo % 10);
    arvo /= 10;
  } while (arvo != 0);
  while (loppu - p < leveys && loppu - p < 20) {
    *--p = u'0';
  }
  if (luku < 0) {
    *--p = u'-';
  }
  kohde.append(p, loppu);
}

}  // namespace kelvio
