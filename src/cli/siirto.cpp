#include "siirto.h"

#include <cerrno>
#include <cstring>

namespace kelvio {

std::string jarjestelmanSyy() {
  return std::strerror(errno);
}

void kirjoita(std::FILE* f, std::string& ulos) {
  const bool ok = std::fwrite(ulos.data(), 1, ulos.size(), f) == ulos.size() && std::fflush(f) == 0;
  ulos.clear();
  if (!ok) {
    throw Siirtovirhe{"tulosteen kirjoitus epäonnistui: " + jarjestelmanSyy()};
  }
}

void viesti(std::FILE* f, std::string_view teksti) {
  std::fwrite(teksti.data(), 1, teksti.size(), f);
  std::fflush(f);
}

}  // namespace kelvio
