// Interpretation of a Finnish bank barcode into the report text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "aluesetukset.h"
#include "virhe.h"

namespace kelvio {

enum class Laji : std::uint8_t { Tulkinta, VaaraPituus, TuntematonVersio };

// The report and the fields it was made of.
struct Tulkinta {
  Laji laji = Laji::VaaraPituus;
  std::size_t pituus = 0;   // the length of the input as typed
  std::u16string raportti;  // lines joined by CR LF
  // An interpretation only:
  char16_t versio = 0;              // '2', '4' or '5'
  std::u16string tili;              // the account as shown
  std::u16string viite;             // the reference as shown, without the pattern's spaces
  double sentit = 0;                // the amount field as read, in cents
  std::optional<Paivays> eraPaiva;  // none when the barcode carries no due date
  // The fields whose routine trapped an error, so that they hold its empty value.
  struct {
    bool tili = false;
    bool viite = false;
    bool summa = false;
    bool eraPaiva = false;
  } virheellinen;
};

// Interprets the input. The formatting routines trap their own errors; a
// failure of this routine's own steps (out of memory) reaches the caller's trap.
Tulkinta tulkitse(std::u16string_view syote, const Aluesetukset& asetukset);

}  // namespace kelvio
