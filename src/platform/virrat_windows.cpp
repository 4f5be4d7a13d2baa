#include <io.h>

#include <cerrno>
#include <cstring>

#include "virrat.h"

namespace kelvio {

bool kirjoitaVirtaan(std::FILE* f, std::string_view tavut, std::string& syy) {
  const bool ok =
      std::fwrite(tavut.data(), 1, tavut.size(), f) == tavut.size() && std::fflush(f) == 0;
  if (!ok) {
    syy = std::strerror(errno);
  }
  return ok;
}

// By the UTF-16 name, so that a name outside the ANSI code page is kept.
bool kirjoitaTiedostoksi(const std::u16string& nimi, std::string_view sisalto, std::string& syy) {
  std::FILE* f = _wfopen(reinterpret_cast<const wchar_t*>(nimi.c_str()), L"wb");
  const bool ok =
      f != nullptr && std::fwrite(sisalto.data(), 1, sisalto.size(), f) == sisalto.size();
  if (f == nullptr || std::fclose(f) != 0 || !ok) {
    syy = std::strerror(errno);
    return false;
  }
  return true;
}

bool syotettaOn(std::FILE* /*f*/, bool odota) {
  return !odota;
}

long lueVirrasta(std::FILE* f, char* lohko, std::size_t koko) {
  return _read(_fileno(f), lohko, static_cast<unsigned>(koko));
}

}  // namespace kelvio
