#include "formatting/numerot.h"

namespace kelvio {

void lisaaLuku(std::u16string& kohde, std::int64_t luku, int leveys) {
  // Days, months and two-digit years: the common case, without a loop.
  if (luku >= 0 && luku < 100 && leveys <= 2) {
    const auto kymmenet = static_cast<char16_t>(u'0' + luku / 10);
    const auto ykkoset = static_cast<char16_t>(u'0' + luku % 10);
    if (luku >= 10 || leveys == 2) {
      kohde.push_back(kymmenet);
    }
    kohde.push_back(ykkoset);
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
  char16_t puskuri[LUVUN_TILA];
  kohde.append(puskuri, static_cast<std::size_t>(kirjoitaLuku(puskuri, luku, leveys) - puskuri));
}

char16_t* kirjoitaLuku(char16_t* p, std::int64_t luku, int leveys) {
  char16_t puskuri[24];
  char16_t* const loppu = puskuri + 24;
  char16_t* q = loppu;
  // Unsigned, so the most negative value has a magnitude too.
  std::uint64_t arvo =
      luku < 0 ? 0 - static_cast<std::uint64_t>(luku) : static_cast<std::uint64_t>(luku);
  do {
    *--q = static_cast<char16_t>(u'0' + arvo % 10);
    arvo /= 10;
  } while (arvo != 0);
  while (loppu - q < leveys && loppu - q < 20) {
    *--q = u'0';
  }
  if (luku < 0) {
    *--q = u'-';
  }
  const auto n = static_cast<std::size_t>(loppu - q);
  return std::char_traits<char16_t>::copy(p, q, n) + n;
}

}  // namespace kelvio
