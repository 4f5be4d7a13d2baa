// The trap convention: the current-error record and the trap of a routine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ajovirhe.h"
#include "se_Pulma.h"

namespace kelvio {

// The error being handled, left by a trap for se_Pulma. One per thread.
struct VirheTietue {
  std::int32_t numero = 0;
  std::u16string kuvaus;
};
VirheTietue& nykyinenVirhe() noexcept;

// Fills the current-error record from the exception being handled.
// Call only inside a catch block.
void kirjaaVirhe() noexcept;

// A trapped error as its routine reported it to se_Pulma.
struct Laukeaminen {
  std::int32_t numero;
  std::u16string kuvaus;
  std::int16_t kutsurivi;
  std::u16string_view moduuli;  // of a Kutsupaikka: lives for the whole run
  std::u16string_view rutiini;
};

// The errors trapped on this thread since the list was emptied (the first
// LAUKEAMISIA_ENINTAAN of them), and how many there have been in all: the
// command line writes them with the input they belong to.
inline constexpr std::size_t LAUKEAMISIA_ENINTAAN = 64;
std::vector<Laukeaminen>& laukeamiset() noexcept;
std::uint64_t laukeamisia() noexcept;
// The same count, to read again and again without a call: the interpretation
// looks at it around each field.
const std::uint64_t& laukeamistenLaskuri() noexcept;

// The trapped errors of one thread: its current-error record and its list.
struct Saikeentila {
  Saikeentila();
  VirheTietue tietue;
  std::vector<Laukeaminen> laukeamiset;
  std::uint64_t kaikkiaan = 0;
};

// Held on the stack of a thread that ends before the program, for the
// thread's life: the thread's trapped errors live in it. A thread_local
// object with a destructor is not safe at a thread's end on MinGW, whose
// runtime may free the thread's storage first; the threads that last as
// long as the program get one of those instead.
class SaikeenVirheet {
 public:
  SaikeenVirheet() noexcept;
  ~SaikeenVirheet();
  SaikeenVirheet(const SaikeenVirheet&) = delete;
  SaikeenVirheet& operator=(const SaikeenVirheet&) = delete;

 private:
  Saikeentila tila_;
  Saikeentila* edellinen_;
};

// Records the error of the current-error record as trapped at paikka.
struct Kutsupaikka;
void kirjaaLaukeaminen(const Kutsupaikka& paikka) noexcept;

// Mouse pointer back to the default.
void nollaaHiiriTurvallisesti() noexcept;

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
  kirjaaLaukeaminen(paikka);
  nollaaHiiriTurvallisesti();
  se_Pulma(paikka.kutsurivi, paikka.moduuli, paikka.rutiini);
  return T{};
}

}  // namespace kelvio
