// The header of an error log entry.
#pragma once

#include <string>

namespace kelvio {

// Nine CR LF-ended lines: title, program, data folder, date and time. A
// failure ends it with LF CR "Virhe virherivin muodostuksessa:" and the
// description after the lines completed so far.
std::u16string fe_virheraportti() noexcept;

}  // namespace kelvio
