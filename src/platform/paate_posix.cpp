#include <unistd.h>

#include "paate.h"

namespace kelvio {

bool onPaate(std::FILE* virta) noexcept {
  return isatty(fileno(virta)) == 1;
}

}  // namespace kelvio
