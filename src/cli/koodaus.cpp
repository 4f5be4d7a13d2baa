#include "koodaus.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "utf8.h"
#include "utf8_lohkot.h"

namespace kelvio {

namespace {

// Writes the text piece by piece, with room for enintaan bytes a unit: the
// ASCII runs that kopioiAscii lets through are copied as they are, and every
// other unit goes to erikseen(p, teksti, i), which writes it and moves i on.
template <class Erikseen>
void kirjoita(std::string& kohde, std::u16string_view kokoTeksti, std::size_t enintaan,
              char16_t pienin, std::u16string_view kielletyt, Erikseen erikseen) {
  paloittain(kokoTeksti, [&](std::u16string_view teksti) {
    lisaaPaikalleen(kohde, enintaan * teksti.size(), [&](char* p) {
      std::size_t i = 0;
      for (;;) {
        i += kopioiAscii(p, teksti.substr(i), pienin, kielletyt);
        if (i == teksti.size()) {
          return p;
        }
        p = erikseen(p, teksti, i);
      }
    });
  });
}

bool onOhjausmerkki(char16_t c) {
  return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

// A unit of a report: a control character as U+FFFD, anything else (a lone
// surrogate too becomes U+FFFD) as UTF-8.
char* raportinMerkki(char* p, std::u16string_view t, std::size_t& i) {
  if (onOhjausmerkki(t[i])) {
    constexpr std::u16string_view KORVIKE = u"\uFFFD";
    std::size_t k = 0;
    ++i;
    return kirjoitaUtf8Merkki(p, KORVIKE, k);
  }
  return kirjoitaUtf8Merkki(p, t, i);
}

// A unit that JSON escapes, written as its escape.
char* jsonPako(char* p, char16_t c) {
  static constexpr char HEKSA[] = "0123456789abcdef";
  *p++ = '\\';
  switch (c) {
    case u'"': *p++ = '"'; break;
    case u'\\': *p++ = '\\'; break;
    case u'\n': *p++ = 'n'; break;
    case u'\r': *p++ = 'r'; break;
    case u'\t': *p++ = 't'; break;
    case u'\b': *p++ = 'b'; break;
    case u'\f': *p++ = 'f'; break;
    default:
      *p++ = 'u';
      *p++ = '0';
      *p++ = '0';
      *p++ = HEKSA[c >> 4];
      *p++ = HEKSA[c & 0xF];
      break;
  }
  return p;
}

}  // namespace

void lisaaRaportti(std::string& kohde, std::u16string_view teksti, std::string_view rv) {
  // A CR LF (two units) becomes a line end of at most two bytes.
  kirjoita(kohde, teksti, UTF8_ENINTAAN, 0x20, u"\x7f",
           [&](char* p, std::u16string_view t, std::size_t& i) {
             const char16_t c = t[i];
             if (c == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
               std::memcpy(p, rv.data(), rv.size());
               i += 2;
               return p + rv.size();
             }
             return raportinMerkki(p, t, i);
           });
}

void lisaaYhdelleRiville(std::string& kohde, std::u16string_view teksti) {
  kirjoita(kohde, teksti, UTF8_ENINTAAN, 0x20, u"\x7f",
           [&](char* p, std::u16string_view t, std::size_t& i) {
             const char16_t c = t[i];
             if (c < 0x20 || c == 0x7F) {
               *p++ = '^';
               *p++ = c == 0x7F ? '?' : static_cast<char>(c + 0x40);
               ++i;
               return p;
             }
             return raportinMerkki(p, t, i);
           });
}

void lisaaJsonPolku(std::string& kohde, std::string_view tavut) {
  while (!tavut.empty()) {
    // The longest run that is UTF-8, then the one byte that is not.
    const std::u16string teksti = polkuTekstiksi(tavut);
    std::size_t i = 0;
    std::size_t kaytetty = 0;
    for (; i < teksti.size(); ++i) {
      const char16_t c = teksti[i];
      const bool pari = c >= 0xD800 && c <= 0xDBFF && i + 1 < teksti.size();
      if (!pari && c >= 0xDC80 && c <= 0xDCFF) {
        break;
      }
      i += pari ? 1 : 0;
    }
    lisaaJson(kohde, std::u16string_view(teksti).substr(0, i));
    kaytetty = utf8ksi(std::u16string_view(teksti).substr(0, i)).size();
    if (i == teksti.size()) {
      return;
    }
    static constexpr char HEKSA[] = "0123456789abcdef";
    const auto tavu = static_cast<unsigned char>(tavut[kaytetty]);
    kohde += "\\udc";
    kohde += HEKSA[tavu >> 4];
    kohde += HEKSA[tavu & 0xF];
    tavut.remove_prefix(kaytetty + 1);
  }
}

void lisaaJson(std::string& kohde, std::u16string_view teksti) {
  // "\u00XX", six bytes, is the longest form of a unit.
  kirjoita(kohde, teksti, 6, 0x20, u"\"\\", [](char* p, std::u16string_view t, std::size_t& i) {
    const char16_t c = t[i];
    if (c == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
      // A report's line end, its two escapes at once.
      i += 2;
      constexpr std::string_view PARI = "\\r\\n";
      return std::copy(PARI.begin(), PARI.end(), p);
    }
    if (c < 0x20 || c == u'"' || c == u'\\') {
      ++i;
      return jsonPako(p, c);
    }
    // A run beyond ASCII ("ää") whole, not a unit and back to the block copy
    // (bench: with the line ends' pairs, 1.45x the report).
    do {
      p = kirjoitaUtf8Merkki(p, t, i);
    } while (i < t.size() && t[i] >= 0x80);
    return p;
  });
}

namespace {

// The field in decimal, zero-padded to leveys digits.
void lisaaKentta(std::string& ulos, int luku, int leveys) {
  char numerot[16];
  const char* loppu = std::to_chars(std::begin(numerot), std::end(numerot), luku).ptr;
  const auto pituus = static_cast<int>(loppu - numerot);
  if (pituus < leveys) {
    ulos.append(static_cast<std::size_t>(leveys - pituus), '0');
  }
  ulos.append(numerot, static_cast<std::size_t>(pituus));
}

}  // namespace

void lisaaIsoPaivays(std::string& ulos, const Paivays& pvm) {
  lisaaKentta(ulos, pvm.vuosi, 4);
  ulos += '-';
  lisaaKentta(ulos, pvm.kuukausi, 2);
  ulos += '-';
  lisaaKentta(ulos, pvm.paiva, 2);
}

}  // namespace kelvio
