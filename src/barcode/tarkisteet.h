// Check digits of the fields of a bank barcode. The window's report verifies
// none; the command line tells them apart for a clerk who typed by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvio {

// ISO 13616: the IBAN with its first four characters moved to the end, letters
// as 10-35, is 1 mod 97.
bool ibanKelpaa(std::u16string_view iban) noexcept;
// Luhn over the 14-digit machine form of a domestic account: the last digit checks the rest.
bool tiliKelpaa(std::u16string_view konemuoto) noexcept;
// Finnish reference: weights 7, 3, 1 from the right, the last digit checks the rest.
bool viiteKelpaa(std::u16string_view viite) noexcept;
// The form of a Finnish reference: 4-20 digits, zeros in front not counted.
bool kansallinenViiteMuoto(std::u16string_view viite) noexcept;
// ISO 11649: "RF", two check digits and up to 21 letters or digits, 1 mod 97.
bool rfKelpaa(std::u16string_view rf) noexcept;

// The checks that apply to a barcode of its version; none for other input.
struct Tarkisteet {
  std::optional<bool> iban;   // versions 4 and 5
  std::optional<bool> tili;   // version 2
  std::optional<bool> viite;  // versions 2 and 4
  std::optional<bool> rf;     // version 5
  // A due date (other than 000000) that names a real day; the report still
  // shows what the date rules make of any other (month 13 runs into the next year).
  std::optional<bool> eraPaiva;
  [[nodiscard]] bool kaikkiKelpaavat() const {
    return iban.value_or(true) && tili.value_or(true) && viite.value_or(true) &&
           rf.value_or(true) && eraPaiva.value_or(true);
  }
};

// The input as typed, with or without "105".
// Out of memory reaches the caller.
Tarkisteet tarkista(std::u16string_view syote);

}  // namespace kelvio
