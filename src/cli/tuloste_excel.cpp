// --excel: CSV that Finnish Excel opens with a double-click: UTF-8 with a
// BOM, ";" between fields, amounts with a decimal comma, dates as d.M.yyyy,
// and every string of digits (input, account, reference) kept as text.
#include "csv.h"

namespace kelvio {

extern const Tulostusmuoto EXCEL{u"--excel",
                                 "CSV suomenkieliselle Excelille (;, desimaalipilkku, BOM)",
                                 luoMurteella<';', true>, true};

}  // namespace kelvio
