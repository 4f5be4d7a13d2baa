#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "kaynnistys.h"

namespace kelvio {

Kaynnistys::Kaynnistys() {
  // A DLL loaded later (by a library, by name) comes from System32, never
  // from beside an invoice or the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Bytes in and out: UTF-8 with CR LF written by the program itself.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The console's code page is the user's: UTF-8 only while kelvio writes.
  koodisivu_ = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
}

Kaynnistys::~Kaynnistys() {
  if (koodisivu_ != 0) {
    SetConsoleOutputCP(koodisivu_);
  }
}

}  // namespace kelvio
