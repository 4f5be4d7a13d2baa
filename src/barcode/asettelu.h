// The layout of a bank barcode: the prefix, the length and the fields of each
// version, with positions 1-based as the barcode guide counts them.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvio {

inline constexpr std::u16string_view ETULIITE = u"105";
inline constexpr std::size_t VIIVAKOODIN_PITUUS = 54;

struct Kentta {
  std::size_t alku;  // 1-based
  std::size_t pituus;
};

struct Asettelu {
  char16_t versio;
  Kentta tili;      // version 2: domestic account in machine form; 4, 5: the IBAN after "FI"
  Kentta summa;     // amount in cents
  Kentta viite;     // 2, 4: national reference; 5: the RF reference's check digits
  Kentta rfRunko;   // 5: the RF reference's body; empty otherwise
  Kentta eraPaiva;  // year, month, day, two characters each
};

inline constexpr Asettelu VERSIO2{u'2', {2, 14}, {16, 8}, {24, 20}, {0, 0}, {44, 6}};
inline constexpr Asettelu VERSIO4{u'4', {2, 16}, {18, 8}, {29, 20}, {0, 0}, {49, 6}};
inline constexpr Asettelu VERSIO5{u'5', {2, 16}, {18, 8}, {26, 2}, {28, 21}, {49, 6}};

// The layout that the first character selects; nullptr for an unknown version.
constexpr const Asettelu* asettelu(char16_t versio) {
  switch (versio) {
    case u'2': return &VERSIO2;
    case u'4': return &VERSIO4;
    case u'5': return &VERSIO5;
    default: return nullptr;
  }
}

// 54 digits of a known version: what a bank barcode's digits can be.
constexpr bool pankkiviivakoodi(std::string_view t) {
  for (const char c : t) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return t.size() == VIIVAKOODIN_PITUUS && asettelu(static_cast<char16_t>(t[0])) != nullptr;
}

// The input without one leading "105".
constexpr std::u16string_view ilmanEtuliitetta(std::u16string_view syote) {
  return syote.substr(0, ETULIITE.size()) == ETULIITE ? syote.substr(ETULIITE.size()) : syote;
}

// The field of a barcode of the full length.
constexpr std::u16string_view osa(std::u16string_view koodi, Kentta k) {
  return koodi.substr(k.alku - 1, k.pituus);
}

}  // namespace kelvio
