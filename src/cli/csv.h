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

}  // namespace kelvio
