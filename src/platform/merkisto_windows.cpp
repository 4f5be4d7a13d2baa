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
// aliases.
constexpr Koodisivu KOODISIVUT[] = {
    {"iso-8859-1", 28591}, {"latin1", 28591},      {"iso-8859-2", 28592}, {"latin2", 28592},
    {"iso-8859-4", 28594}, {"iso-8859-5", 28595},  {"iso-8859-7", 28597}, {"iso-8859-15", 28605},
    {"latin-9", 28605},    {"windows-1252", 1252}, {"cp1252", 1252},      {"us-ascii", 20127},
};

// ISO 8859-10 (Latin-6, an EPC set) has no Windows code page: its upper
// half as the standard publishes it, the lower half being ISO 8859-1's.
constexpr char16_t LATIN6[96] = {
    0x00A0, 0x0104, 0x0112, 0x0122, 0x012A, 0x0128, 0x0136, 0x00A7, 0x013B, 0x0110, 0x0160, 0x0166,
    0x017D, 0x00AD, 0x016A, 0x014A, 0x00B0, 0x0105, 0x0113, 0x0123, 0x012B, 0x0129, 0x0137, 0x00B7,
    0x013C, 0x0111, 0x0161, 0x0167, 0x017E, 0x2015, 0x016B, 0x014B, 0x0100, 0x00C1, 0x00C2, 0x00C3,
    0x00C4, 0x00C5, 0x00C6, 0x012E, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x0116, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x0145, 0x014C, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x0168, 0x00D8, 0x0172, 0x00DA, 0x00DB,
    0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x0101, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x012F,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x0117, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x0146, 0x014D, 0x00F3,
    0x00F4, 0x00F5, 0x00F6, 0x0169, 0x00F8, 0x0173, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x0138,
};

bool latin6(std::string_view nimi) {
  return nimi == "iso-8859-10" || nimi == "latin6";
}

}  // namespace

bool yksitavuinenMerkisto(std::string_view nimi, Merkistotaulu& taulu) {
  std::string pienin;
  for (const char c : nimi) {
    pienin += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (latin6(pienin)) {
    for (unsigned tavu = 0; tavu < 256; ++tavu) {
      taulu[tavu] = tavu < 0xA0 ? tavu : LATIN6[tavu - 0xA0];
    }
    return true;
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
      // The holes of a windows-125x set (0x81 of windows-1252) Windows
      // passes through as C1 controls for round trips; the set, as iconv
      // and the published mapping tables have it, has no such character.
      if (k.sivu >= 1250 && k.sivu <= 1258 && tavu >= 0x80 && taulu[tavu] >= 0x80 &&
          taulu[tavu] <= 0x9F) {
        taulu[tavu] = EI_MERKKIA;
      }
    }
    return true;
  }
  return false;
}

}  // namespace kelvio
