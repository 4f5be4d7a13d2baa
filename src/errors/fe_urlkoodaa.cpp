#include "fe_urlkoodaa.h"

#include <algorithm>

#include "alusta.h"
#include "virhe.h"

namespace kelvio {

namespace {
constexpr std::u16string_view HEKSA = u"0123456789ABCDEF";

bool turvallinen(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u';' || c == u'.' || c == u'-';
}
}  // namespace

std::u16string fe_heksa(std::uint8_t koodi) {
  return {HEKSA[koodi / 16], HEKSA[koodi % 16]};
}

std::u16string fe_korvaa(std::u16string_view teksti, std::u16string_view haku,
                         std::u16string_view korvaus) {
  std::u16string tyo(teksti);
  if (haku.empty()) {
    return tyo;
  }
  const bool sisaltaa = korvaus.find(haku) != std::u16string_view::npos;
  std::size_t alku = 0;
  for (;;) {
    const std::size_t kohta = tyo.find(haku, alku);
    if (kohta == std::u16string::npos) {
      return tyo;
    }
    // Positions are counted in 16 bits.
    if (kohta >= 32767) {
      nosta(VIRHE_YLIVUOTO);
    }
    tyo.replace(kohta, haku.size(), korvaus);
    // Earlier text held no occurrence, so a new one can start at most
    // haku.size() - 1 characters before the inserted text.
    alku = sisaltaa ? kohta + korvaus.size() : kohta - std::min(kohta, haku.size() - 1);
  }
}

std::u16string fe_urlkoodaa(std::u16string_view arvo) {
  const std::u16string teksti = fe_korvaa(arvo, u" ", u";");
  std::u16string tulos;
  tulos.reserve(teksti.size() * 3);
  for (const char16_t c : teksti) {
    if (turvallinen(c)) {
      tulos.push_back(c);
    } else {
      tulos.push_back(u'%');
      tulos += fe_heksa(alusta().ansiKoodi(c));
    }
  }
  return tulos;
}

std::u16string fe_urlkoodaa(std::nullptr_t) {
  return {};
}

}  // namespace kelvio
