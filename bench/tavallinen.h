// Plain one-unit-at-a-time writers: the baselines that the block copies of
// utf8.h and koodaus.cpp must beat.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio::bench {

inline void utf8Merkki(std::string& s, std::u16string_view t, std::size_t& i) {
  std::uint32_t c = t[i++];
  if (c >= 0xD800 && c <= 0xDFFF) {
    if (c <= 0xDBFF && i < t.size() && t[i] >= 0xDC00 && t[i] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (t[i++] - 0xDC00);
    } else {
      c = 0xFFFD;
    }
  }
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

inline void utf8(std::string& s, std::u16string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    utf8Merkki(s, t, i);
  }
}

inline void rivit(std::string& s, std::u16string_view t, std::string_view rv) {
  for (std::size_t i = 0; i < t.size();) {
    if (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
      s += rv;
      i += 2;
    } else if ((t[i] < 0x20 && t[i] != u'\t') || (t[i] >= 0x7F && t[i] <= 0x9F)) {
      s += "\xEF\xBF\xBD";
      ++i;
    } else {
      utf8Merkki(s, t, i);
    }
  }
}

inline void json(std::string& s, std::u16string_view t) {
  static constexpr char HEKSA[] = "0123456789abcdef";
  for (std::size_t i = 0; i < t.size();) {
    const char16_t c = t[i];
    if (c >= 0x20 && c != u'"' && c != u'\\') {
      utf8Merkki(s, t, i);
      continue;
    }
    ++i;
    s += '\\';
    switch (c) {
      case u'"': s += '"'; break;
      case u'\\': s += '\\'; break;
      case u'\n': s += 'n'; break;
      case u'\r': s += 'r'; break;
      case u'\t': s += 't'; break;
      case u'\b': s += 'b'; break;
      case u'\f': s += 'f'; break;
      default:
        s += "u00";
        s += HEKSA[c >> 4];
        s += HEKSA[c & 0xF];
    }
  }
}

// UTF-8 to UTF-16 for ASCII and two-byte sequences, as the barcodes are.
inline void utf16(std::u16string& s, std::string_view t) {
  for (std::size_t i = 0; i < t.size(); ++i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x80 || i + 1 == t.size()) {
      s += b;
    } else {
      s += static_cast<char16_t>(((b & 0x1F) << 6) | (static_cast<unsigned char>(t[++i]) & 0x3F));
    }
  }
}

}  // namespace kelvio::bench
