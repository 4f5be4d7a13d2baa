// A QR code's bytes as text. EPC069-12 names the character set on the third
// line; other codes carry no name and are read as UTF-8 where they are.
#include "epc.h"
#include "merkisto.h"
#include "utf8.h"

namespace kelvio {

namespace {

// The character sets of EPC069-12, by the digit of the third line.
constexpr std::string_view EPC_MERKISTOT[] = {"UTF-8",       "ISO-8859-1", "ISO-8859-2",
                                              "ISO-8859-4",  "ISO-8859-5", "ISO-8859-7",
                                              "ISO-8859-10", "ISO-8859-15"};

bool utf8(std::string_view tavut) {
  return utf8ksi(utf16ksi(tavut)) == tavut;
}

// Each byte through the table; a byte that is no character becomes U+FFFD,
// which the EPC reader refuses.
std::string taulusta(std::string_view tavut, const Merkistotaulu& taulu) {
  std::u16string teksti;
  for (const char c : tavut) {
    const char32_t m = taulu[static_cast<unsigned char>(c)];
    teksti += m == EI_MERKKIA || m > 0xFFFF ? u'\uFFFD' : static_cast<char16_t>(m);
  }
  return utf8ksi(teksti);
}

// The digit of an EPC payload's third line, 1-8; 0 when there is none.
int epcMerkisto(std::string_view tavut) {
  for (int rivi = 0; rivi < 2; ++rivi) {
    const std::size_t lf = tavut.find('\n');
    if (lf == std::string_view::npos) {
      return 0;
    }
    std::string_view r = tavut.substr(0, lf);
    if (!r.empty() && r.back() == '\r') {
      r.remove_suffix(1);
    }
    if (rivi == 0 && r != "BCD") {
      return 0;
    }
    tavut.remove_prefix(lf + 1);
  }
  return !tavut.empty() && tavut[0] >= '1' && tavut[0] <= '8' &&
                 (tavut.size() == 1 || tavut[1] == '\n' || tavut[1] == '\r')
             ? tavut[0] - '0'
             : 0;
}

}  // namespace

std::string qrTekstiksi(std::string_view tavut) {
  const int merkisto = epcMerkisto(tavut);
  if (merkisto == 1 || (merkisto == 0 && utf8(tavut))) {
    return utf8ksi(utf16ksi(tavut));  // a byte of no sequence as U+FFFD
  }
  Merkistotaulu taulu;
  if (merkisto > 1) {
    if (!yksitavuinenMerkisto(EPC_MERKISTOT[merkisto - 1], taulu)) {
      // A set this system lacks: ASCII stays, the rest is refused, not guessed.
      for (unsigned i = 0; i < 256; ++i) {
        taulu[i] = i < 0x80 ? i : EI_MERKKIA;
      }
    }
  } else {
    // Latin-1: each byte its own code point.
    for (unsigned i = 0; i < 256; ++i) {
      taulu[i] = i;
    }
  }
  return taulusta(tavut, taulu);
}

}  // namespace kelvio
