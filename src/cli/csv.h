// The writer of CSV rows, in two dialects: RFC 4180 for programs (--csv) and
// the one Finnish Excel opens with a double-click (--excel).
#pragma once

#include <memory>

#include "tulostin.h"

namespace kelvio {

struct CsvMurre {
  char erotin;  // "," or ";"
  bool excel;   // BOM, decimal comma, d.M.yyyy dates, digit strings as text formulas
};

std::unique_ptr<Tulostin> luoCsv(const CsvMurre& murre, bool tiedostot);

// The maker of a dialect's writer, for its row of the formats' table.
template <char Erotin, bool Excel>
std::unique_ptr<Tulostin> luoMurteella(const Tulostusasetukset& asetukset) {
  return luoCsv({Erotin, Excel}, asetukset.tiedostot);
}

}  // namespace kelvio
