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

// The fixed texts of the reports, numbered so that writers can convert each
// once and reuse it.
enum class Vakio : std::int8_t {
  Ei = -1,  // a piece made for this report
  Alku2,
  Alku4,
  Alku5,
  Viite,
  RfViite,
  Erapaiva,
  EiErapaivaa,
  Summa,
  Euro,
  Pituus,
  Merkkia,
  Tuntematon,
  Maara
};

// One piece of the report: the joined pieces are the report text.
struct Pala {
  std::u16string_view teksti;
  Vakio vakio = Vakio::Ei;
};

inline constexpr std::size_t PALOJA_ENINTAAN = 9;

// The report and the values it was made of. Kept and reused between runs so
// that its texts keep their capacity; every run sets every value it uses.
// The pieces point into it and into the input, until the next run.
struct Tulkinta {
  Tulkinta() = default;
  Tulkinta(const Tulkinta&) = delete;
  Tulkinta& operator=(const Tulkinta&) = delete;

  bool kokoaRaportti = true;  // false: only the pieces are wanted
  Laji laji = Laji::VaaraPituus;
  char16_t versio = 0;      // '2', '4' or '5' for an interpretation
  std::size_t pituus = 0;   // length of the input as typed
  std::u16string raportti;  // lines joined by CR LF
  Pala palat[PALOJA_ENINTAAN];
  std::size_t paloja = 0;
  std::u16string_view tili;   // account text as shown
  std::u16string_view viite;  // reference text as shown, without pattern padding
  double sentit = 0;          // the amount field as read, in cents
  bool onEraPaiva = false;
  Paivays eraPaiva;
  // Working texts. The fields of a 54-character barcode fit their arrays.
  std::u16string summaTeksti;
  std::u16string paivaysTeksti;
  char16_t tiliTila[32] = {};
  char16_t viiteTila[40] = {};
  char16_t tyo[32] = {};
};

// The text of a fixed piece.
std::u16string_view vakioTeksti(Vakio v);

// Interprets the input. Formatting routines trap their own errors; anything
// else (out of memory) is thrown to the caller's trap.
void tulkitse(std::u16string_view syote, const Aluesetukset& asetukset, Tulkinta& tulos);

// Convenience for tests and single calls.
std::u16string tulkitse(std::u16string_view syote, const Aluesetukset& asetukset);

}  // namespace kelvio
