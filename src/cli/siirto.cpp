#include "siirto.h"

#include <cerrno>
#include <cstring>

#include "utf8.h"
#include "virrat.h"

namespace kelvio {

std::string jarjestelmanSyy() {
  return std::strerror(errno);
}

void kirjoita(std::FILE* f, std::string& ulos) {
  std::string syy;
  const bool ok = kirjoitaVirtaan(f, ulos, syy);
  ulos.clear();
  if (!ok) {
    throw Siirtovirhe{"tulosteen kirjoitus epäonnistui: " + syy};
  }
}

void kirjoitaTiedosto(const std::u16string& nimi, std::string_view sisalto) {
  std::string syy;
  if (!kirjoitaTiedostoksi(nimi, sisalto, syy)) {
    throw Siirtovirhe{"tiedoston " + polunTavuiksi(nimi) + " kirjoitus epäonnistui: " + syy};
  }
}

int kirjoitaOhje(std::FILE* f, std::string_view ohje) {
  std::string ulos(ohje);
  kirjoita(f, ulos);
  return 0;
}

void viesti(std::FILE* f, std::string_view teksti) {
  std::fwrite(teksti.data(), 1, teksti.size(), f);
  std::fflush(f);
}

}  // namespace kelvio
