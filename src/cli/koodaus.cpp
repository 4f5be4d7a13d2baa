#include "koodaus.h"

#include <cstring>

#include "utf8.h"

namespace kelvio {

namespace {

bool onOhjausmerkki(char16_t c) {
  return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

void lisaaRaportti(std::string& kohde, std::u16string_view kokoTeksti, std::string_view rv) {
  // A CR LF (two units) becomes a line end of at most two bytes.
  paloittain(kokoTeksti, [&](std::u16string_view teksti) {
    lisaaPaikalleen(kohde, UTF8_ENINTAAN * teksti.size(), [&](char* p) {
      std::size_t i = 0;
      while (i < teksti.size()) {
        i += kopioiAscii(p, teksti.substr(i), 0x20, u"\x7f");
        if (i == teksti.size()) {
          break;
        }
        const char16_t c = teksti[i];
        if (c == u'\r' && i + 1 < teksti.size() && teksti[i + 1] == u'\n') {
          std::memcpy(p, rv.data(), rv.size());
          p += rv.size();
          i += 2;
        } else if (onOhjausmerkki(c)) {
          constexpr std::u16string_view KORVIKE = u"\uFFFD";
          std::size_t k = 0;
          p = kirjoitaUtf8Merkki(p, KORVIKE, k);
          ++i;
        } else {
          p = kirjoitaUtf8Merkki(p, teksti, i);
        }
      }
      return p;
    });
  });
}

namespace {

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

void lisaaJson(std::string& kohde, std::u16string_view kokoTeksti) {
  // "\u00XX", six bytes, is the longest form of a unit.
  paloittain(kokoTeksti, [&](std::u16string_view teksti) {
    lisaaPaikalleen(kohde, 6 * teksti.size(), [&](char* p) {
      std::size_t i = 0;
      while (i < teksti.size()) {
        i += kopioiAscii(p, teksti.substr(i), 0x20, u"\"\\");
        if (i == teksti.size()) {
          break;
        }
        const char16_t c = teksti[i];
        if (c < 0x20 || c == u'"' || c == u'\\') {
          p = jsonPako(p, c);
          ++i;
        } else {
          p = kirjoitaUtf8Merkki(p, teksti, i);
        }
      }
      return p;
    });
  });
}

}  // namespace kelvio
