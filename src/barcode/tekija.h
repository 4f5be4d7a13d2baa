// Making a bank barcode: the inverse of the interpretation, for those who bill.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvio {

// What the invoice says, as typed: spaces allowed in the IBAN and the
// reference, "." or "," in the amount, the due date as yyyy-mm-dd or empty.
struct Laskutiedot {
  std::u16string iban;
  std::u16string viite;
  std::u16string summa;
  std::u16string eraPaiva;
};

// An amount as typed, in cents: up to euroja euro digits, then one of the
// separators and one or two decimals; none for any other text.
std::optional<std::int64_t> summaSentteina(std::u16string_view summa,
                                           std::u16string_view erottimet = u".,",
                                           std::size_t euroja = 6);

// Spaces removed, lower-case letters raised: "fi21 1234 ..." -> "FI211234...".
std::u16string tiivista(std::u16string_view teksti);

// The 54 digits of the barcode (version 4 for a national reference, 5 for an
// RF reference), or "" with a Finnish message that names the field and the
// rule it breaks in virhe, and the field's option name ("iban", "reference",
// "amount", "due") in kentta.
std::string teeViivakoodi(const Laskutiedot& tiedot, std::string& virhe,
                          std::string* kentta = nullptr);

}  // namespace kelvio
