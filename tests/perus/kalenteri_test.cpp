// The calendar below the date fields and the log's date.
#include <gtest/gtest.h>

#include <cstdint>

#include "kalenteri.h"

namespace kelvio {
namespace {

// Day numbers from 1970-01-01 by the proleptic Gregorian calendar, whose 400
// years are 146,097 days, also before the year 0, and back.
TEST(Kalenteri, Paivanumerot) {
  struct Rivi {
    Paivays pvm;
    std::int64_t numero;
  };
  const Rivi rivit[] = {
      {{1970, 1, 1}, 0},
      {{2000, 3, 1}, 11017},
      {{1600, 3, 1}, 11017 - 146097},
      {{0, 3, 1}, 11017 - 5 * 146097},
      {{-400, 3, 1}, 11017 - 6 * 146097},
      {{-1, 12, 31}, 11017 - 5 * 146097 - 61},
  };
  for (const auto& r : rivit) {
    EXPECT_EQ(paivanumero(r.pvm.vuosi, r.pvm.kuukausi, r.pvm.paiva), r.numero) << r.pvm.vuosi;
    const Paivays takaisin = paivays(r.numero);
    EXPECT_EQ(takaisin.vuosi, r.pvm.vuosi) << r.numero;
    EXPECT_EQ(takaisin.kuukausi, r.pvm.kuukausi) << r.numero;
    EXPECT_EQ(takaisin.paiva, r.pvm.paiva) << r.numero;
  }
}

}  // namespace
}  // namespace kelvio
