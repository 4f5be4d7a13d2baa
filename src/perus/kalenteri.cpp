#include "kalenteri.h"

#include "merkit.h"

namespace kelvio {

namespace {
std::int64_t jakoAlas(std::int64_t a, std::int64_t b) noexcept {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) {
    --q;
  }
  return q;
}
}  // namespace

// Howard Hinnant's days_from_civil.
std::int64_t paivanumero(std::int64_t vuosi, std::int64_t kuukausi, std::int64_t paiva) noexcept {
  const std::int64_t y = vuosi - (kuukausi <= 2 ? 1 : 0);
  const std::int64_t era = jakoAlas(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = kuukausi > 2 ? kuukausi - 3 : kuukausi + 9;
  const std::int64_t doy = (153 * mp + 2) / 5 + paiva - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Paivays paivays(std::int64_t paivanumero) noexcept {
  const std::int64_t z = paivanumero + 719468;
  const std::int64_t era = jakoAlas(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return Paivays{static_cast<std::int32_t>(y), static_cast<std::int32_t>(m),
                 static_cast<std::int32_t>(d)};
}

int viikonpaiva(const Paivays& pvm) noexcept {
  // 1970-01-01 was a Thursday (3).
  const std::int64_t n = paivanumero(pvm.vuosi, pvm.kuukausi, pvm.paiva) + 3;
  return static_cast<int>(n - jakoAlas(n, 7) * 7);
}

Paivays siirraPaivays(std::int64_t vuosi, std::int64_t kuukausi, std::int64_t paiva) noexcept {
  const std::int64_t kuukausia = vuosi * 12 + (kuukausi - 1);
  const std::int64_t v = jakoAlas(kuukausia, 12);
  const std::int64_t k = kuukausia - v * 12 + 1;
  return paivays(paivanumero(v, k, 1) + (paiva - 1));
}

std::optional<Paivays> isoPaivays(std::u16string_view t) noexcept {
  if (t.size() != 10 || t[4] != u'-' || t[7] != u'-' || !numeroita(t.substr(0, 4)) ||
      !numeroita(t.substr(5, 2)) || !numeroita(t.substr(8, 2))) {
    return std::nullopt;
  }
  const auto luku = [&](std::size_t alku, std::size_t n) {
    int arvo = 0;
    for (const char16_t c : t.substr(alku, n)) {
      arvo = arvo * 10 + (c - u'0');
    }
    return arvo;
  };
  const Paivays p = siirraPaivays(luku(0, 4), luku(5, 2), luku(8, 2));
  if (p.vuosi != luku(0, 4) || p.kuukausi != luku(5, 2) || p.paiva != luku(8, 2)) {
    return std::nullopt;
  }
  return p;
}

}  // namespace kelvio
