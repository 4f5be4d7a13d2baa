#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "kaynnistys.h"

namespace kelvio {

unsigned aloitaKomentorivi() {
  // A DLL loaded later (by a library, by name) comes from System32, never
  // from beside an invoice or the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Bytes in and out: UTF-8 with CR LF written by the program itself.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The console's code page is the user's: UTF-8 only while kelvio writes.
  const UINT koodisivu = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
  return koodisivu;
}

void lopetaKomentorivi(unsigned palautettava) {
  if (palautettava != 0) {
    SetConsoleOutputCP(palautettava);
  }
}

}  // namespace kelvio
