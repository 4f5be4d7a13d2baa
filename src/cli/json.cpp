#include "cli/json.h"

#include "platform/utf8.h"

namespace kelvio {

void lisaaJsonMerkkijono(std::string& kohde, std::u16string_view teksti) {
  static constexpr char HEKSA[] = "0123456789abcdef";
  kohde.push_back('"');
  std::size_t alku = 0;
  for (std::size_t i = 0; i < teksti.size(); ++i) {
    const char16_t c = teksti[i];
    if (c >= 0x20 && c != u'"' && c != u'\\') {
      continue;
    }
    utf8ksi(kohde, teksti.substr(alku, i - alku));
    alku = i + 1;
    kohde.push_back('\\');
    switch (c) {
      case u'"': kohde.push_back('"'); break;
      case u'\\': kohde.push_back('\\'); break;
      case u'\n': kohde.push_back('n'); break;
      case u'\r': kohde.push_back('r'); break;
      case u'\t': kohde.push_back('t'); break;
      case u'\b': kohde.push_back('b'); break;
      case u'\f': kohde.push_back('f'); break;
      default:
        kohde += "u00";
        kohde.push_back(HEKSA[c >> 4]);
        kohde.push_back(HEKSA[c & 0xF]);
        break;
    }
  }
  utf8ksi(kohde, teksti.substr(alku));
  kohde.push_back('"');
}

}  // namespace kelvio
