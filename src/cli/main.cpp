#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "komentorivi.h"
#include "utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#if KELVIO_LUKU
#include "lapsiprosessi.h"
#include "tiedosto.h"
#endif

int wmain(int argc, wchar_t** argv) {
  // A DLL loaded later (by a library, by name) comes from System32, never
  // from beside an invoice or the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
#if KELVIO_LUKU
  // kelvio read decodes each file in this program started again.
  if (argc == 2 &&
      std::u16string_view(reinterpret_cast<const char16_t*>(argv[1])) == kelvio::LAPSEN_VALITSIN) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    return kelvio::lapsenPaaohjelma(kelvio::lueLapsena);
  }
#endif
  // Bytes in and out: UTF-8 with CR LF written by the program itself.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The console's code page is the user's: UTF-8 only while kelvio writes.
  const UINT koodisivu = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::u16string> argumentit;
  for (int i = 1; i < argc; ++i) {
    argumentit.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
  }
  const int tila = kelvio::komentorivi(argumentit, stdin, stdout, stderr, "\r\n");
  if (koodisivu != 0) {
    SetConsoleOutputCP(koodisivu);
  }
  return tila;
}
#else
#include <csignal>

int main(int argc, char** argv) {
  // A log over the file size limit is a failed write, not the end of the run.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::u16string> argumentit;
  for (int i = 1; i < argc; ++i) {
    argumentit.push_back(kelvio::polkuTekstiksi(argv[i]));
  }
  return kelvio::komentorivi(argumentit, stdin, stdout, stderr, "\n");
}
#endif
