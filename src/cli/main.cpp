#include <cstdio>
#include <string>
#include <vector>

#include "komentorivi.h"
#include "utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
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
