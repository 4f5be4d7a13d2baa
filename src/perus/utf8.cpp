#include "utf8.h"

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
    std::size_t pituus = 0;
    std::uint32_t c = 0;
    std::uint32_t pienin = 0;
    if (b >= 0xC2 && b <= 0xDF) {
      pituus = 2, c = b & 0x1Fu, pienin = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      pituus = 3, c = b & 0x0Fu, pienin = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      pituus = 4, c = b & 0x07u, pienin = 0x10000;
    }
    bool kelpaa = pituus != 0 && i + pituus <= n;
    for (std::size_t k = 1; kelpaa && k < pituus; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) {
        kelpaa = false;
      } else {
        c = (c << 6) | (p[i + k] & 0x3Fu);
      }
    }
    kelpaa = kelpaa && c >= pienin && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!kelpaa) {
      *q++ = u'\uFFFD';
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      *q++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      *q++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      *q++ = static_cast<char16_t>(c);
    }
    i += pituus;
  }
  kohde.resize(static_cast<std::size_t>(q - kohde.data()));
}

std::u16string utf16ksi(std::string_view tavut) {
  std::u16string s;
  utf16ksi(s, tavut);
  return s;
}

}  // namespace kelvio
