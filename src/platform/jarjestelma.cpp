// What the system platforms share: without windows, standard error is the
// user interface.
#include "jarjestelma.h"

#include "tuote.h"

#include <cstdio>
#include <string>

#include "utf8.h"

namespace kelvio {

namespace {

void kirjoitaVirheeseen(std::u16string_view teksti) {
  std::string ulos;
#ifdef _WIN32
  utf8ksi(ulos, teksti);
  ulos += "\r\n";
#else
  // The texts use CR LF; a terminal wants LF.
  for (const char c : utf8ksi(teksti)) {
    if (c != '\r') {
      ulos.push_back(c);
    }
  }
  ulos.push_back('\n');
#endif
  std::fwrite(ulos.data(), 1, ulos.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

JarjestelmaAlusta::~JarjestelmaAlusta() = default;

const Aluesetukset& JarjestelmaAlusta::aluesetukset() {
  return *asetukset_;
}

void JarjestelmaAlusta::viesti(std::u16string_view teksti) {
  kirjoitaVirheeseen(teksti);
}

void JarjestelmaAlusta::nollaaHiiri() {}

bool JarjestelmaAlusta::naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) {
  std::u16string t(virheteksti);
  t += u"\r\n";
  t += kysely;
  kirjoitaVirheeseen(t);
  return true;
}

std::u16string JarjestelmaAlusta::sovelluksenNimi() {
  return u"" KELVIO_NIMI;
}

bool lisaaRivinAlku(std::string& rivi, std::string_view lohko) {
  const std::size_t cr = lohko.find('\r');
  rivi.append(lohko.substr(0, cr));
  return cr != std::string_view::npos;
}

}  // namespace kelvio
