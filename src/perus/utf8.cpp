#include "utf8.h"
#include "utf8_lohkot.h"

#include <cstdint>

namespace kelvio {

char* kirjoitaUtf8(char* p, std::u16string_view teksti) {
  std::size_t i = 0;
  while (i < teksti.size()) {
    i += kopioiAscii(p, teksti.substr(i));
    if (i < teksti.size()) {
      p = kirjoitaUtf8Merkki(p, teksti, i);
    }
  }
  return p;
}

void utf8ksi(std::string& kohde, std::u16string_view teksti) {
  paloittain(teksti, [&](std::u16string_view pala) {
    lisaaPaikalleen(kohde, UTF8_ENINTAAN * pala.size(),
                    [&](char* p) { return kirjoitaUtf8(p, pala); });
  });
}

std::string utf8ksi(std::u16string_view teksti) {
  std::string s;
  utf8ksi(s, teksti);
  return s;
}

namespace {

// The length of the valid UTF-8 sequence at the start of t (no overlong
// form, no surrogate, nothing past U+10FFFF), 0 when there is none; its code
// point in koodi.
std::size_t utf8Jakso(std::string_view t, char32_t& koodi) {
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
  if (t.empty()) {
    return 0;
  }
  const unsigned char c = b(0);
  std::size_t n = 0;
  char32_t pienin = 0;
  if (c < 0x80) {
    koodi = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2, koodi = c & 0x1FU, pienin = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, koodi = c & 0x0FU, pienin = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, koodi = c & 0x07U, pienin = 0x10000;
  } else {
    return 0;
  }
  if (t.size() < n) {
    return 0;
  }
  for (std::size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0U) != 0x80) {
      return 0;
    }
    koodi = koodi << 6 | (b(i) & 0x3FU);
  }
  if (koodi < pienin || koodi > 0x10FFFF || (koodi >= 0xD800 && koodi <= 0xDFFF)) {
    return 0;
  }
  return n;
}

// The code point into UTF-16 at q, as one unit or a surrogate pair.
char16_t* kirjoitaUtf16(char16_t* q, char32_t koodi) {
  if (koodi >= 0x10000) {
    *q++ = static_cast<char16_t>(0xD800 + ((koodi - 0x10000) >> 10));
    *q++ = static_cast<char16_t>(0xDC00 + ((koodi - 0x10000) & 0x3FF));
  } else {
    *q++ = static_cast<char16_t>(koodi);
  }
  return q;
}

}  // namespace

void utf16ksi(std::u16string& kohde, std::string_view tavut) {
  // At most one unit a byte: room for that, written through a pointer and cut.
  const auto* p = reinterpret_cast<const unsigned char*>(tavut.data());
  const std::size_t n = tavut.size();
  const std::size_t alku = kohde.size();
  kohde.resize(alku + n);
  char16_t* q = kohde.data() + alku;
  std::size_t i = 0;
  while (i < n) {
#if KELVIO_SSE2
    // Eight ASCII bytes widened at once, as kopioiAscii narrows them.
    if (i + 8 <= n) {
      const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + i));
      if (_mm_movemask_epi8(v) == 0) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(q), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
        q += 8;
        i += 8;
        continue;
      }
    }
#endif
    const unsigned char b = p[i];
    if (b < 0x80) {
      *q++ = b;
      ++i;
      continue;
    }
    char32_t c = 0;
    const std::size_t pituus =
        utf8Jakso(std::string_view(reinterpret_cast<const char*>(p + i), n - i), c);
    if (pituus == 0) {
      *q++ = u'\uFFFD';
      ++i;
      continue;
    }
    q = kirjoitaUtf16(q, c);
    i += pituus;
  }
  kohde.resize(static_cast<std::size_t>(q - kohde.data()));
}

std::u16string utf16ksi(std::string_view tavut) {
  std::u16string s;
  utf16ksi(s, tavut);
  return s;
}

std::u16string polkuTekstiksi(std::string_view tavut) {
  std::u16string tulos;
  while (!tavut.empty()) {
    char32_t koodi = 0;
    std::size_t n = utf8Jakso(tavut, koodi);
    if (n == 0) {
      tulos += static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(tavut[0]));
      n = 1;
    } else {
      char16_t yksikot[2];
      tulos.append(yksikot, kirjoitaUtf16(yksikot, koodi));
    }
    tavut.remove_prefix(n);
  }
  return tulos;
}

std::string polunTavuiksi(std::u16string_view polku) {
  std::string tulos;
  for (std::size_t i = 0; i < polku.size(); ++i) {
    const char16_t c = polku[i];
    const bool pari = c >= 0xD800 && c <= 0xDBFF && i + 1 < polku.size() &&
                      polku[i + 1] >= 0xDC00 && polku[i + 1] <= 0xDFFF;
    if (!pari && c >= 0xDC80 && c <= 0xDCFF) {
      tulos += static_cast<char>(c - 0xDC00);
    } else {
      utf8ksi(tulos, polku.substr(i, pari ? 2 : 1));
      i += pari ? 1 : 0;
    }
  }
  return tulos;
}

}  // namespace kelvio
