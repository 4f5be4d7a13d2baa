#include "virtuaaliviivakoodi.h"

#include "asettelu.h"

namespace kelvio {

namespace {

bool numero(char c) {
  return c >= '0' && c <= '9';
}

// The length of a space between groups at the text's start: " ", or the
// no-break spaces U+00A0 and U+202F in UTF-8; 0 for anything else.
std::size_t vali(std::string_view t) {
  if (!t.empty() && t[0] == ' ') {
    return 1;
  }
  if (t.substr(0, 2) == "\xC2\xA0") {
    return 2;
  }
  if (t.substr(0, 3) == "\xE2\x80\xAF") {
    return 3;
  }
  return 0;
}

// The digit groups of one line, each followed by the spaces that tie it to
// the next; a group that anything else follows ends a run.
struct Ryhma {
  std::string_view numerot;
  bool jatkuu;  // spaces and another group follow
};

void etsiRivilta(std::string_view rivi, std::vector<std::string>& loydot) {
  std::vector<Ryhma> ryhmat;
  std::size_t i = 0;
  while (i < rivi.size()) {
    if (!numero(rivi[i])) {
      ++i;
      continue;
    }
    const std::size_t alku = i;
    while (i < rivi.size() && numero(rivi[i])) {
      ++i;
    }
    std::size_t j = i;
    while (const std::size_t n = vali(rivi.substr(j))) {
      j += n;
    }
    const bool jatkuu = j > i && j < rivi.size() && numero(rivi[j]);
    ryhmat.push_back({rivi.substr(alku, i - alku), jatkuu});
    // A group glued to a letter or sign is part of a word, not of a code.
    if (!jatkuu) {
      ryhmat.push_back({{}, false});
    }
    i = j;
  }
  for (std::size_t a = 0; a < ryhmat.size(); ++a) {
    std::string koodi;
    for (std::size_t b = a; b < ryhmat.size() && koodi.size() < VIIVAKOODIN_PITUUS; ++b) {
      if (ryhmat[b].numerot.empty()) {
        break;
      }
      koodi += ryhmat[b].numerot;
      if (koodi.size() == VIIVAKOODIN_PITUUS && asettelu(koodi[0]) != nullptr) {
        loydot.push_back(koodi);
        a = b;
        break;
      }
      if (!ryhmat[b].jatkuu) {
        break;
      }
    }
  }
}

}  // namespace

std::vector<std::string> etsiVirtuaaliviivakoodit(std::string_view teksti) {
  std::vector<std::string> loydot;
  while (!teksti.empty()) {
    const std::size_t loppu = teksti.find_first_of("\r\n\f");
    etsiRivilta(teksti.substr(0, loppu), loydot);
    teksti.remove_prefix(loppu == std::string_view::npos ? teksti.size() : loppu + 1);
  }
  return loydot;
}

}  // namespace kelvio
