// Run-time errors, the current-error record and the trap convention.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

inline constexpr std::int32_t VIRHE_ARGUMENTTI = 5;  // Invalid procedure call or argument
inline constexpr std::int32_t VIRHE_YLIVUOTO = 6;    // Overflow
inline constexpr std::int32_t VIRHE_MUISTI = 7;      // Out of memory
inline constexpr std::int32_t VIRHE_TYYPPI = 13;     // Type mismatch
inline constexpr std::int32_t VIRHE_SISAINEN = 51;   // Internal error: anything unexpected
inline constexpr std::int32_t VIRHE_NULL = 94;       // Invalid use of Null
inline constexpr std::int32_t VIRHE_UUDELLEENKAYNNISTYS = 3014;

// What a failing step throws inside a routine; it never leaves a trapping routine.
struct Ajovirhe {
  std::int32_t numero;
  std::u16string kuvaus;
};

// The standard description of an error number ("" for numbers of its own).
std::u16string_view virheenKuvaus(std::int32_t numero);

[[noreturn]] void nosta(std::int32_t numero);
[[noreturn]] void nosta(std::int32_t numero, std::u16string kuvaus);

// The error being handled, left by a trap for se_Pulma. One per thread.
struct VirheTietue {
  std::int32_t numero = 0;
  std::u16string kuvaus;
};
VirheTietue& nykyinenVirhe() noexcept;

// Fills the current-error record from the exception being handled.
// Call only inside a catch block.
void kirjaaVirhe() noexcept;

// Mouse pointer back to the default; never throws.
void nollaaHiiriTurvallisesti() noexcept;

void se_Pulma(std::int16_t kutsurivi, std::u16string_view moduuli,
              std::u16string_view rutiini) noexcept;

// What a trapping routine tells se_Pulma about itself.
struct Kutsupaikka {
  std::int16_t kutsurivi;
  std::u16string_view moduuli;
  std::u16string_view rutiini;
};

// The trap: runs work(); on any failure records it, resets the pointer, calls
// se_Pulma and returns the routine's empty value.
template <class T, class Tyo>
T ansa(const Kutsupaikka& paikka, Tyo&& tyo) noexcept {
  try {
    return tyo();
  } catch (...) {
    kirjaaVirhe();
  }
  nollaaHiiriTurvallisesti();
  se_Pulma(paikka.kutsurivi, paikka.moduuli, paikka.rutiini);
  return T{};
}

// The same trap for a routine that writes its text result at p and returns
// the end: on a failure nothing counts as written, which is the empty value.
template <class Tyo>
char16_t* ansaKirjoita(char16_t* p, const Kutsupaikka& paikka, Tyo&& tyo) noexcept {
  try {
    return tyo(p);
  } catch (...) {
    kirjaaVirhe();
  }
  nollaaHiiriTurvallisesti();
  se_Pulma(paikka.kutsurivi, paikka.moduuli, paikka.rutiini);
  return p;
}

}  // namespace kelvio
