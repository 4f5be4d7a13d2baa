#include "formatting/numerot.h"

namespace kelvio {

void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys) {
  // Days, months and two-digit years: the common case, without a loop.
  if (luku >= 0 && luku < 100 && leveys <= 2) {
    const auto kymmenet = static_cast<char16_t>(u'0' + luku / 10);
    const auto ykkoset = static_cast<char16_t>(u'0' + luku % 10);
    if (luku >= 10 || leveys == 2) {
      const char16_t kaksi[2] = {kymmenet, ykkoset};
      kohde.append(kaksi, 2);
    } else {
      kohde.push_back(ykkoset);
    }
    return;
  }
  // Years.
  if (luku >= 1000 && luku < 10000 && leveys <= 4) {
    const char16_t nelja[4] = {
        static_cast<char16_t>(u'0' + luku / 1000), static_cast<char16_t>(u'0' + luku / 100 % 10),
        static_cast<char16_t>(u'0' + luku / 10 % 10), static_cast<char16_t>(u'0' + luku % 10)};
    kohde.append(nelja, 4);
    return;
  }
  char16_t puskuri[24];
  char16_t* const loppu = puskuri + 24;
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
  kohde.append(p, static_cast<std::size_t>(loppu - p));
}

}  // namespace kelvio
