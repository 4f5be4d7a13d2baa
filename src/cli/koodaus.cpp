#include "cli/koodaus.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

// SSE2 is part of every x86-64 processor; elsewhere the portable path serves.
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

namespace {

enum class Tapa { Suora, Rivit, Json };

char* koodiksi(char* p, std::uint32_t c) {
  if (c < 0x80) {
    *p++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *p++ = static_cast<char>(0xC0 | (c >> 6));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (c >> 12));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (c >> 18));
    *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return p;
}

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

#if KELVIO_SSE2
// Eight plain units at a time, narrowed with one pack; false at the first
// block that holds anything else.
template <Tapa T>
bool kahdeksan(const char16_t* s, char* p) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  __m128i muu = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80)));
  muu = _mm_xor_si128(_mm_cmpeq_epi16(muu, _mm_setzero_si128()), _mm_set1_epi16(-1));
  if constexpr (T == Tapa::Rivit) {
    muu = _mm_or_si128(muu, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'\r')));
  } else if constexpr (T == Tapa::Json) {
    muu = _mm_or_si128(muu, _mm_cmplt_epi16(v, _mm_set1_epi16(0x20)));
    muu = _mm_or_si128(muu, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'"')));
    muu = _mm_or_si128(muu, _mm_cmpeq_epi16(v, _mm_set1_epi16(u'\\')));
  }
  if (_mm_movemask_epi8(muu) != 0) {
    return false;
  }
  _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
  return true;
}
#else
constexpr std::uint64_t LANE_1 = 0x0001000100010001ULL;
constexpr std::uint64_t LANE_80 = 0x0080008000800080ULL;
constexpr std::uint64_t LANE_8000 = 0x8000800080008000ULL;

// True when one of the four 16-bit lanes equals c (all lanes below 0x80).
constexpr bool onKaista(std::uint64_t v, std::uint16_t c) {
  const std::uint64_t x = v ^ (LANE_1 * c);
  return ((x - LANE_1) & ~x & LANE_8000) != 0;
}

// Four ASCII units that need nothing but narrowing.
template <Tapa T>
bool tavallisia(std::uint64_t v) {
  if ((v & 0xFF80FF80FF80FF80ULL) != 0) {
    return false;
  }
  if constexpr (T == Tapa::Rivit) {
    return !onKaista(v, u'\r');
  } else if constexpr (T == Tapa::Json) {
    // Every lane at least 0x20, and no quote or backslash.
    return ((v + LANE_1 * 0x60) & LANE_80) == LANE_80 && !onKaista(v, u'"') && !onKaista(v, u'\\');
  }
  return true;
}

// The low bytes of four 16-bit lanes, packed into 32 bits (little-endian).
constexpr std::uint64_t pakkaa(std::uint64_t v) {
  v = (v | (v >> 8)) & 0x0000FFFF0000FFFFULL;
  return (v | (v >> 16)) & 0xFFFFFFFFULL;
}

template <Tapa T>
bool kahdeksan(const char16_t* s, char* p) {
  if constexpr (std::endian::native != std::endian::little) {
    return false;
  } else {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, s, sizeof a);
    std::memcpy(&b, s + 4, sizeof b);
    if (!tavallisia<T>(a) || !tavallisia<T>(b)) {
      return false;
    }
    const std::uint64_t tavut = pakkaa(a) | (pakkaa(b) << 32);
    std::memcpy(p, &tavut, sizeof tavut);
    return true;
  }
}
#endif

// One unit (two for a surrogate pair or a CR LF) from s[i]; returns the new i.
template <Tapa T>
std::size_t yksi(const char16_t* s, std::size_t i, std::size_t n, char*& p, std::string_view rv) {
  std::uint32_t c = s[i++];
  // Printable ASCII other than a quote or a backslash: the usual case.
  if (c >= 0x20 && c < 0x80 && (T != Tapa::Json || (c != u'"' && c != u'\\'))) {
    *p++ = static_cast<char>(c);
    return i;
  }
  if constexpr (T == Tapa::Rivit) {
    if (c == u'\r' && i < n && s[i] == u'\n') {
      std::memcpy(p, rv.data(), rv.size());
      p += rv.size();
      return i + 1;
    }
  }
  if constexpr (T == Tapa::Json) {
    if (c < 0x20 || c == u'"' || c == u'\\') {
      p = jsonPako(p, static_cast<char16_t>(c));
      return i;
    }
  }
  if (c >= 0xD800 && c <= 0xDFFF) {
    if (c <= 0xDBFF && i < n && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i] - 0xDC00U);
      ++i;
    } else {
      c = 0xFFFD;
    }
  }
  p = koodiksi(p, c);
  return i;
}

template <Tapa T>
char* kirjoita(char* p, std::u16string_view t, std::string_view rv = {}) {
  const char16_t* s = t.data();
  const std::size_t n = t.size();
  std::size_t i = 0;
  while (i < n) {
    if (i + 8 <= n && kahdeksan<T>(s + i, p)) {
      p += 8;
      i += 8;
      continue;
    }
    // A block with something else in it goes one unit at a time.
    const std::size_t raja = std::min(n, i + 8);
    while (i < raja) {
      i = yksi<T>(s, i, n, p, rv);
    }
  }
  return p;
}

}  // namespace

char* kirjoitaUtf8(char* p, std::u16string_view teksti) {
  return kirjoita<Tapa::Suora>(p, teksti);
}

char* kirjoitaRivit(char* p, std::u16string_view teksti, std::string_view rv) {
  return kirjoita<Tapa::Rivit>(p, teksti, rv);
}

char* kirjoitaJson(char* p, std::u16string_view teksti) {
  return kirjoita<Tapa::Json>(p, teksti);
}

}  // namespace kelvio
