#include <io.h>
#include <windows.h>

#include "paate.h"

namespace kelvio {

// A console answers GetConsoleMode; a file, a pipe or the NUL device does not.
bool onPaate(std::FILE* virta) noexcept {
  DWORD tila = 0;
  // NOLINTNEXTLINE(performance-no-int-to-ptr): _get_osfhandle gives the handle as an integer
  const auto kahva = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(virta)));
  return kahva != INVALID_HANDLE_VALUE && GetConsoleMode(kahva, &tila) != 0;
}

}  // namespace kelvio
