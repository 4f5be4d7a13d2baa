#include <csignal>

#include "kaynnistys.h"

namespace kelvio {

Kaynnistys::Kaynnistys() {
  std::signal(SIGXFSZ, SIG_IGN);
}

Kaynnistys::~Kaynnistys() = default;

}  // namespace kelvio
