// The table through iconv, one byte at a time.
#include <cerrno>
#include <cstdint>
#include <string>

#include <iconv.h>

#include "merkisto.h"

namespace kelvio {

bool yksitavuinenMerkisto(std::string_view nimi, Merkistotaulu& taulu) {
  // iconv takes options after "//"; a name from a file gets none.
  if (nimi.empty() || nimi.size() > 40 ||
      nimi.find_first_not_of(
          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.:") !=
          std::string_view::npos) {
    return false;
  }
  const iconv_t muunnin = iconv_open("UTF-32LE", std::string(nimi).c_str());
  // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open's documented failure value
  if (muunnin == reinterpret_cast<iconv_t>(-1)) {
    return false;
  }
  bool yksitavuinen = true;
  for (unsigned tavu = 0; tavu < 256 && yksitavuinen; ++tavu) {
    char sisaan = static_cast<char>(tavu);
    unsigned char ulos[8] = {};
    char* s = &sisaan;
    std::size_t sPituus = 1;
    auto* u = reinterpret_cast<char*>(ulos);
    std::size_t uTilaa = sizeof ulos;
    iconv(muunnin, nullptr, nullptr, nullptr, nullptr);
    const std::size_t r = iconv(muunnin, &s, &sPituus, &u, &uTilaa);
    if (r == static_cast<std::size_t>(-1) && errno == EINVAL) {
      yksitavuinen = false;  // a lead byte of a multibyte set
    } else if (r == static_cast<std::size_t>(-1) || sizeof ulos - uTilaa != 4) {
      taulu[tavu] = EI_MERKKIA;
    } else {
      taulu[tavu] = static_cast<char32_t>(ulos[0] | ulos[1] << 8 | ulos[2] << 16 |
                                          static_cast<std::uint32_t>(ulos[3]) << 24);
    }
  }
  iconv_close(muunnin);
  return yksitavuinen;
}

}  // namespace kelvio
