// Interpretation of a Finnish bank barcode into the report text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "errors/virhe.h"
#include "formatting/aluesetukset.h"

namespace kelvio {

// The trap of the routine that runs the interpretation for the user.
inline constexpr Kutsupaikka CMDTULKITSE_CLICK{1138, u"frmKelvio", u"cmdTulkitse_Click"};

enum class Laji : std::uint8_t { Tulkinta, VaaraPituus, TuntematonVersio };

// The report and the values it was made of. Kept and reused between runs so
// that its texts keep their capacity; every run sets every value it uses.
struct Tulkinta {
  Tulkinta() = default;
  Tulkinta(const Tulkinta&) = delete;  // the views point into it
  Tulkinta& operator=(const Tulkinta&) = delete;

  Laji laji = Laji::VaaraPituus;
  char16_t versio = 0;      // '2', '4' or '5' for an interpretation
  std::size_t pituus = 0;   // length of the input as typed
  std::u16string raportti;  // lines joined by CR LF
  std::u16string tili;      // account text as shown
  std::u16string viite;     // reference text as shown, without pattern padding
  double sentit = 0;        // the amount field as read, in cents
  bool onEraPaiva = false;
  Paivays eraPaiva;
  // Working texts. The fields of a 54-character barcode fit their arrays.
  std::u16string summaTeksti;
  std::u16string paivaysTeksti;
  std::u16string_view viiteTeksti;
  char16_t tiliTila[32] = {};
  char16_t viiteTila[40] = {};
  char16_t tyo[32] = {};
};

// Interprets the input. Formatting routines trap their own errors; anything
// else (out of memory) is thrown to the caller's trap.
void tulkitse(std::u16string_view syote, const Aluesetukset& asetukset, Tulkinta& tulos);

// Convenience for tests and single calls.
std::u16string tulkitse(std::u16string_view syote, const Aluesetukset& asetukset);

}  // namespace kelvio
