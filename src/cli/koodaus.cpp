#include "koodaus.h"

#include <cstring>

#include "utf8.h"

namespace kelvio {

// Each writer makes room for the longest form of the whole text once, writes
// through a pointer, and cuts the text to what it wrote.

void lisaaRivit(std::string& kohde, std::u16string_view teksti, std::string_view rv) {
  // A CR LF (two units) becomes a line end of at most two bytes.
  const std::size_t alku = kohde.size();
  kohde.resize(alku + UTF8_ENINTAAN * teksti.size());
  char* p = kohde.data() + alku;
  std::size_t i = 0;
  while (i < teksti.size()) {
    i += kopioiAscii(p, teksti.substr(i), 0, u"\r");
    if (i == teksti.size()) {
      break;
    }
    if (teksti[i] == u'\r' && i + 1 < teksti.size() && teksti[i + 1] == u'\n') {
      std::memcpy(p, rv.data(), rv.size());
      p += rv.size();
      i += 2;
    } else {
      p = kirjoitaUtf8Merkki(p, teksti, i);
    }
  }
  kohde.resize(static_cast<std::size_t>(p - kohde.data()));
}

void lisaaJson(std::string& kohde, std::u16string_view teksti) {
  static constexpr char HEKSA[] = "0123456789abcdef";
  // "\u00XX", six bytes, is the longest form of a unit.
  const std::size_t alku = kohde.size();
  kohde.resize(alku + 6 * teksti.size());
  char* p = kohde.data() + alku;
  std::size_t i = 0;
  while (i < teksti.size()) {
    i += kopioiAscii(p, teksti.substr(i), 0x20, u"\"\\");
    if (i == teksti.size()) {
      break;
    }
    const char16_t c = teksti[i];
    if (c >= 0x20 && c != u'"' && c != u'\\') {
      p = kirjoitaUtf8Merkki(p, teksti, i);
      continue;
    }
    ++i;
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
        std::memcpy(p, "u00", 3);
        p += 3;
        *p++ = HEKSA[c >> 4];
        *p++ = HEKSA[c & 0xF];
        break;
    }
  }
  kohde.resize(static_cast<std::size_t>(p - kohde.data()));
}

}  // namespace kelvio
