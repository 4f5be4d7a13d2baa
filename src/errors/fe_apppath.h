// The data folder: where the error log goes.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// The program folder, or the existing folder that the first line of
// "ainehake.oma" beside the program names. Worked out once and cached; the
// first call then also makes that folder the current directory. Failures of
// that step pass to the caller, with the program folder already cached.
std::u16string fe_apppath();

// The first line of an 8-bit text file (up to the first CR), "" on any failure.
std::u16string fe_luerivi(std::u16string_view polku) noexcept;

// True when the folder exists; false on any failure.
bool fe_onkansio(std::u16string_view kansio) noexcept;

// Forgets the cached folder, for tests that start a run afresh.
void unohdaAppPath() noexcept;

}  // namespace kelvio
