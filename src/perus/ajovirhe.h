// Run-time errors: every number the program raises, with its description.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvio {

inline constexpr std::int32_t VIRHE_ARGUMENTTI = 5;     // Invalid procedure call or argument
inline constexpr std::int32_t VIRHE_YLIVUOTO = 6;       // Overflow
inline constexpr std::int32_t VIRHE_MUISTI = 7;         // Out of memory
inline constexpr std::int32_t VIRHE_TYYPPI = 13;        // Type mismatch
inline constexpr std::int32_t VIRHE_SISAINEN = 51;      // Internal error: anything unexpected
inline constexpr std::int32_t VIRHE_EI_TIEDOSTOA = 53;  // File not found
inline constexpr std::int32_t VIRHE_LOPUN_YLI = 62;     // Input past end of file
inline constexpr std::int32_t VIRHE_EI_LUPAA = 70;      // Permission denied
inline constexpr std::int32_t VIRHE_LUKITTU = 70;       // the same, for a file another holds locked
inline constexpr std::int32_t VIRHE_TIEDOSTO = 75;      // Path/File access error
inline constexpr std::int32_t VIRHE_EI_POLKUA = 76;     // Path not found
inline constexpr std::int32_t VIRHE_NULL = 94;          // Invalid use of Null
inline constexpr std::int32_t VIRHE_UUDELLEENKAYNNISTYS = 3014;

// What a failing step throws inside a routine; it never leaves a trapping routine.
struct Ajovirhe {
  std::int32_t numero;
  std::u16string kuvaus;
};

// The standard description of an error number ("" for numbers of its own).
std::u16string_view virheenKuvaus(std::int32_t numero);

// Throws the error with its standard description.
[[noreturn]] void nosta(std::int32_t numero);
[[noreturn]] void nosta(std::int32_t numero, std::u16string kuvaus);

}  // namespace kelvio
