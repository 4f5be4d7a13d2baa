#include "platform/utf8.h"

#include <cstdint>
#include <cstring>

namespace kelvio {

void utf8ksi(std::string& kohde, std::u16string_view teksti) {
  const std::size_t n = teksti.size();
  // ASCII is most of it: one resize, then plain stores.
  std::size_t i = 0;
  {
    const std::size_t alku = kohde.size();
    kohde.resize(alku + n);
    char* p = kohde.data() + alku;
    while (i < n && teksti[i] < 0x80) {
      p[i] = static_cast<char>(teksti[i]);
      ++i;
    }
    kohde.resize(alku + i);
  }
  for (; i < n; ++i) {
    std::uint32_t c = teksti[i];
    if (c < 0x80) {
      kohde.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < n && teksti[i + 1] >= 0xDC00 && teksti[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (teksti[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    if (c < 0x800) {
      kohde.push_back(static_cast<char>(0xC0 | (c >> 6)));
    } else if (c < 0x10000) {
      kohde.push_back(static_cast<char>(0xE0 | (c >> 12)));
      kohde.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    } else {
      kohde.push_back(static_cast<char>(0xF0 | (c >> 18)));
      kohde.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      kohde.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    }
    kohde.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string utf8ksi(std::u16string_view teksti) {
  std::string s;
  utf8ksi(s, teksti);
  return s;
}

void utf16ksi(std::u16string& kohde, std::string_view tavut) {
  const auto* p = reinterpret_cast<const unsigned char*>(tavut.data());
  const std::size_t n = tavut.size();
  std::size_t i = 0;
  {
    const std::size_t alku = kohde.size();
    kohde.resize(alku + n);
    char16_t* q = kohde.data() + alku;
    // Eight ASCII bytes at a time, widened in place.
    while (i + 8 <= n) {
      std::uint64_t v = 0;
      std::memcpy(&v, p + i, sizeof v);
      if ((v & 0x8080808080808080ULL) != 0) {
        break;
      }
      for (std::size_t k = 0; k < 8; ++k) {
        q[i + k] = p[i + k];
      }
      i += 8;
    }
    while (i < n && p[i] < 0x80) {
      q[i] = p[i];
      ++i;
    }
    kohde.resize(alku + i);
  }
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      kohde.push_back(b);
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
      kohde.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      kohde.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      kohde.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      kohde.push_back(static_cast<char16_t>(c));
    }
    i += pituus;
  }
}

std::u16string utf16ksi(std::string_view tavut) {
  std::u16string s;
  utf16ksi(s, tavut);
  return s;
}

}  // namespace kelvio
