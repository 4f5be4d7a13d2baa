#include "komentorivi.h"

#include <new>
#include <span>

#include "komennot.h"
#include "siirto.h"

namespace kelvio {

int komentorivi(const std::vector<std::u16string>& argumentit, std::FILE* syote, std::FILE* tuloste,
                std::FILE* virheet, const char* rivinvaihto) {
  const std::span<const std::u16string> kaikki(argumentit);
  try {
    if (!kaikki.empty() && kaikki[0] == u"make") {
      return teeKomento(kaikki.subspan(1), tuloste, virheet);
    }
    if (!kaikki.empty() && kaikki[0] == u"data-folder") {
      return datakansioKomento(kaikki.subspan(1), tuloste, virheet);
    }
    if (!kaikki.empty() && kaikki[0] == u"read") {
      return lueKomento(kaikki.subspan(1), tuloste, virheet, rivinvaihto);
    }
    return tulkitseKomento(kaikki, syote, tuloste, virheet, rivinvaihto);
  } catch (const Siirtovirhe& e) {
    viesti(virheet, "kelvio: " + e.viesti + "\n");
    return 3;
  } catch (const std::bad_alloc&) {
    viesti(virheet, "kelvio: muisti loppui (virhe 7, Out of memory)\n");
    return 1;
  }
}

}  // namespace kelvio
