// UTF-8 at the edges; the core works in UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvio {

// The most bytes of UTF-8 that one UTF-16 unit makes (a pair makes four).
inline constexpr std::size_t UTF8_ENINTAAN = 3;

// Writes the UTF-16 text as UTF-8 at p, which has room for UTF8_ENINTAAN
// bytes a unit; returns the end. A lone surrogate becomes U+FFFD.
char* kirjoitaUtf8(char* p, std::u16string_view teksti);

// Writes the unit at teksti[i] (both units of a surrogate pair) as UTF-8 at p;
// moves i past it and returns the end.
char* kirjoitaUtf8Merkki(char* p, std::u16string_view teksti, std::size_t& i);

// Copies from the start of the text, one byte a unit, the units below 0x80
// that are at least pienin and none of kielletyt, up to the first unit that
// is not. Returns the units copied and moves p past them. With SSE2, eight
// units at a time: a unit at a time costs about a nanosecond on the machines
// here (bench/: BM_Utf8, BM_Rivit and BM_Json, each beside its plain loop).
std::size_t kopioiAscii(char*& p, std::u16string_view teksti, char16_t pienin = 0,
                        std::u16string_view kielletyt = {});

// Appends the UTF-16 text as UTF-8; a lone surrogate becomes U+FFFD.
void utf8ksi(std::string& kohde, std::u16string_view teksti);
std::string utf8ksi(std::u16string_view teksti);

// Appends the UTF-8 bytes as UTF-16; every byte that does not belong to a
// valid sequence becomes U+FFFD and the rest is kept.
void utf16ksi(std::u16string& kohde, std::string_view tavut);
std::u16string utf16ksi(std::string_view tavut);

}  // namespace kelvio
