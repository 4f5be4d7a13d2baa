#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "kaynnistys.h"
#include "komentorivi.h"
#include "utf8.h"

#if KELVIO_LUKU
#include "lapsiprosessi.h"
#include "tiedosto.h"
#endif

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  const unsigned palautettava = kelvio::aloitaKomentorivi();
#if KELVIO_LUKU
  // kelvio read decodes each file in this program started again.
  if (argc == 2 &&
      std::u16string_view(reinterpret_cast<const char16_t*>(argv[1])) == kelvio::LAPSEN_VALITSIN) {
    return kelvio::lapsenPaaohjelma(kelvio::lueLapsena);
  }
#endif
  std::vector<std::u16string> argumentit;
  for (int i = 1; i < argc; ++i) {
    argumentit.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  }
  const int tila = kelvio::komentorivi(argumentit, stdin, stdout, stderr, "\r\n");
  kelvio::lopetaKomentorivi(palautettava);
  return tila;
}
#else
int main(int argc, char** argv) {
  const unsigned palautettava = kelvio::aloitaKomentorivi();
  std::vector<std::u16string> argumentit;
  for (int i = 1; i < argc; ++i) {
    argumentit.push_back(kelvio::polkuTekstiksi(argv[i]));
  }
  const int tila = kelvio::komentorivi(argumentit, stdin, stdout, stderr, "\n");
  kelvio::lopetaKomentorivi(palautettava);
  return tila;
}
#endif
