// The table through MultiByteToWideChar, by the code page of the name.
#include <windows.h>

#include <cctype>
#include <string>

#include "merkisto.h"

namespace kelvio {

namespace {

struct Koodisivu {
  std::string_view nimi;
  UINT sivu;
};

// The names that Finvoice messages and EPC QR codes use, and their common
// aliases; ISO 8859-10 has no Windows code page.
constexpr Koodisivu KOODISIVUT[] = {
    {"iso-8859-1", 28591}, {"latin1", 28591},      {"iso-8859-2", 28592}, {"latin2", 28592},
    {"iso-8859-4", 28594}, {"iso-8859-5", 28595},  {"iso-8859-7", 28597}, {"iso-8859-15", 28605},
    {"latin-9", 28605},    {"windows-1252", 1252}, {"cp1252", 1252},      {"us-ascii", 20127},
};

}  // namespace

bool yksitavuinenMerkisto(std::string_view nimi, Merkistotaulu& taulu) {
  std::string pienin;
  for (const char c : nimi) {
    pienin += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  for (const Koodisivu& k : KOODISIVUT) {
    if (k.nimi != pienin) {
      continue;
    }
    for (unsigned tavu = 0; tavu < 256; ++tavu) {
      const char sisaan = static_cast<char>(tavu);
      wchar_t ulos[2] = {};
      const int n = MultiByteToWideChar(k.sivu, MB_ERR_INVALID_CHARS, &sisaan, 1, ulos, 2);
      taulu[tavu] = n == 1 ? static_cast<char32_t>(ulos[0]) : EI_MERKKIA;
    }
    return true;
  }
  return false;
}

}  // namespace kelvio
