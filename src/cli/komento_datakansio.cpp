// kelvio data-folder FOLDER: writes FOLDER as the first line of ainehake.oma
// beside the program, in the encoding the programs read it in (the ANSI code
// page on Windows, UTF-8 elsewhere). The MSI package runs it for DATAFOLDER,
// and IT may run it with its own tools.
#include <filesystem>

#include "alusta.h"
#include "komennot.h"
#include "komentorivi_alusta.h"
#include "ohjeet.h"
#include "siirto.h"
#include "utf8.h"
#include "valitsimet.h"

namespace kelvio {

int datakansioKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste,
                      std::FILE* virheet) {
  KomentoriviAlusta jarjestelma;
  Komento komento;
  std::string virhe = lueValitsimet(argumentit, {}, komento);
  if (virhe.empty() && !komento.ohje && komento.muut.size() != 1) {
    virhe = "anna yksi kansio";
  }
  if (!virhe.empty()) {
    return kayttovirhe(virheet, "kelvio data-folder", virhe);
  }
  if (komento.ohje) {
    return kirjoitaOhje(tuloste, DATAKANSIO_OHJE);
  }
  std::u16string kansio(komento.muut[0]);
  // Windows' argument rules leave a quote where a quoted path ended in "\".
  if (!kansio.empty() && kansio.back() == u'"') {
    kansio.pop_back();
  }
  for (const char16_t c : kansio) {
    if (c < 0x20 || (jarjestelma.ansiKoodi(c) == '?' && c != u'?')) {
      viesti(virheet,
             "kelvio data-folder: kansion nimessä on merkki, jota ainehake.oma ei voi "
             "tallentaa tämän koneen merkistössä\n");
      return 1;
    }
  }
  const std::u16string polku = jarjestelma.ohjelmakansio() + jarjestelma.erotin() + u"ainehake.oma";
  try {
    std::error_code e;
#ifdef _WIN32
    std::filesystem::remove(std::filesystem::path(std::wstring(polku.begin(), polku.end())), e);
#else
    std::filesystem::remove(std::filesystem::path(polunTavuiksi(polku)), e);
#endif
    jarjestelma.liitaTiedostoon(polku, kansio + u"\r\n");
  } catch (...) {
    viesti(virheet, "kelvio data-folder: tiedoston " + utf8ksi(polku) + " kirjoitus epäonnistui\n");
    return 3;
  }
  std::string ulos = "ainehake.oma: " + utf8ksi(kansio) + "\n";
  kirjoita(tuloste, ulos);
  return 0;
}

}  // namespace kelvio
