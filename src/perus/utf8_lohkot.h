// The fast writers of UTF-8 beside their plain loops: text copied in place,
// ASCII eight units at a time where SSE2 is at hand. Only the writers that
// bench/ measures include this; everyone else converts through utf8.h.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The most bytes of UTF-8 that one UTF-16 unit makes (a pair makes four).
inline constexpr std::size_t UTF8_ENINTAAN = 3;

// Writes the UTF-16 text as UTF-8 at p, which has room for UTF8_ENINTAAN
// bytes a unit; returns the end. A lone surrogate becomes U+FFFD.
char* kirjoitaUtf8(char* p, std::u16string_view teksti);

// Writes the unit at teksti[i] (both units of a surrogate pair) as UTF-8 at p;
// moves i past it and returns the end.
inline char* kirjoitaUtf8Merkki(char* p, std::u16string_view teksti, std::size_t& i) {
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

// Copies from the start of the text, one byte a unit, the units below 0x80
// that are at least pienin and none of kielletyt, up to the first unit that
// is not; kielletyt holds at most two units. p has room for UTF8_ENINTAAN
// bytes a unit of the text. Returns the units copied and moves p past them. With SSE2, eight
// units at a time: a unit at a time costs about a nanosecond on the machines
// here (bench/: BM_Utf8, BM_Rivit and BM_Json, each beside its plain loop).
inline std::size_t kopioiAscii(char*& p, std::u16string_view teksti, char16_t pienin = 0,
                               std::u16string_view kielletyt = {}) {
  const char16_t kielletty0 = kielletyt.empty() ? char16_t{0xFFFF} : kielletyt[0];
  const char16_t kielletty1 = kielletyt.size() < 2 ? char16_t{0xFFFF} : kielletyt[1];
  std::size_t i = 0;
#if KELVIO_SSE2
  // Eight units a block. A lane is good when it is below 0x80, at least
  // pienin and none of kielletyt (0xFFFF, never good anyway, stands for a
  // missing one). packus narrows the block to its low bytes; all eight are
  // stored, which the caller's room of three bytes a unit allows, and p moves
  // past the good lanes before the first bad one.
  const __m128i yla = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i raja = _mm_set1_epi16(static_cast<short>(pienin));
  const __m128i k0 = _mm_set1_epi16(static_cast<short>(kielletty0));
  const __m128i k1 = _mm_set1_epi16(static_cast<short>(kielletty1));
  while (i + 8 <= teksti.size()) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(teksti.data() + i));
    __m128i hyva = _mm_cmpeq_epi16(_mm_and_si128(v, yla), _mm_setzero_si128());
    hyva = _mm_andnot_si128(_mm_cmplt_epi16(v, raja), hyva);
    hyva = _mm_andnot_si128(_mm_cmpeq_epi16(v, k0), hyva);
    hyva = _mm_andnot_si128(_mm_cmpeq_epi16(v, k1), hyva);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(v, v));
    const auto maski = static_cast<unsigned>(_mm_movemask_epi8(hyva));
    if (maski != 0xFFFF) {
      const auto hyvia = static_cast<std::size_t>(std::countr_one(maski)) / 2;
      p += hyvia;
      return i + hyvia;
    }
    p += 8;
    i += 8;
  }
#endif
  // The rest, and every unit where SSE2 is not at hand, one at a time.
  while (i < teksti.size()) {
    const char16_t c = teksti[i];
    if (c >= 0x80 || c < pienin || c == kielletty0 || c == kielletty1) {
      break;
    }
    *p++ = static_cast<char>(c);
    ++i;
  }
  return i;
}

// Appends a text of at most enintaan bytes written in place: kirjoita(p)
// writes at p and returns the end; the text is then cut to what it wrote.
template <class Kirjoittaja>
void lisaaPaikalleen(std::string& kohde, std::size_t enintaan, Kirjoittaja kirjoita) {
  const std::size_t alku = kohde.size();
  kohde.resize(alku + enintaan);
  char* loppu = kirjoita(kohde.data() + alku);
  kohde.resize(static_cast<std::size_t>(loppu - kohde.data()));
}

// Hands the text to kirjoita in pieces of at most about 64 Ki units, never
// splitting a surrogate pair or a CR LF, so that the room a writer reserves
// for the longest form stays small however long the text.
template <class Kirjoittaja>
void paloittain(std::u16string_view teksti, Kirjoittaja kirjoita) {
  constexpr std::size_t PALA = 1U << 16;
  while (teksti.size() > PALA) {
    std::size_t n = PALA;
    const char16_t viimeinen = teksti[n - 1];
    if ((viimeinen >= 0xD800 && viimeinen <= 0xDBFF) || viimeinen == u'\r') {
      ++n;
    }
    kirjoita(teksti.substr(0, n));
    teksti.remove_prefix(n);
  }
  kirjoita(teksti);
}

}  // namespace kelvio
