#include "utf8.h"

#include <cstdint>

// SSE2 is part of every x86-64 processor.
#ifndef KELVIO_SSE2
#if defined(__SSE2__) || defined(_M_X64)
#define KELVIO_SSE2 1
#else
#define KELVIO_SSE2 0
#endif
#endif
#if KELVIO_SSE2
#include <emmintrin.h>
#endif

namespace kelvio {

char* kirjoitaUtf8Merkki(char* p, std::u16string_view teksti, std::size_t& i) {
  std::uint32_t c = teksti[i++];
  if (c < 0x80) {
    *p++ = static_cast<char>(c);
    return p;
  }
  if (c >= 0xD800 && c <= 0xDFFF) {
    if (c <= 0xDBFF && i < teksti.size() && teksti[i] >= 0xDC00 && teksti[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (teksti[i] - 0xDC00);
      ++i;
    } else {
      c = 0xFFFD;
    }
  }
  if (c < 0x800) {
    *p++ = static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (c >> 12));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (c >> 18));
    *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  *p++ = static_cast<char>(0x80 | (c & 0x3F));
  return p;
}

std::size_t kopioiAscii(char*& p, std::u16string_view teksti, char16_t pienin,
                        std::u16string_view kielletyt) {
  std::size_t i = 0;
#if KELVIO_SSE2
  // Eight units a block: the block is copied when no unit is 0x80 or above,
  // below pienin or one of kielletyt; packus narrows the eight lanes, each
  // below 0x80, to their low bytes.
  const __m128i yla = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i raja = _mm_set1_epi16(static_cast<short>(pienin));
  while (i + 8 <= teksti.size()) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(teksti.data() + i));
    __m128i muu = _mm_cmpeq_epi16(_mm_and_si128(v, yla), _mm_setzero_si128());
    muu = _mm_andnot_si128(_mm_cmplt_epi16(v, raja), muu);
    for (const char16_t c : kielletyt) {
      muu = _mm_andnot_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(c))), muu);
    }
    if (_mm_movemask_epi8(muu) != 0xFFFF) {
      break;
    }
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
    p += 8;
    i += 8;
  }
#endif
  // The rest, and every unit where SSE2 is not at hand, one at a time.
  while (i < teksti.size()) {
    const char16_t c = teksti[i];
    if (c >= 0x80 || c < pienin || kielletyt.find(c) != std::u16string_view::npos) {
      break;
    }
    *p++ = static_cast<char>(c);
    ++i;
  }
  return i;
}

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
  const std::size_t alku = kohde.size();
  kohde.resize(alku + UTF8_ENINTAAN * teksti.size());
  char* loppu = kirjoitaUtf8(kohde.data() + alku, teksti);
  kohde.resize(static_cast<std::size_t>(loppu - kohde.data()));
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
