#include "virhe.h"

#include <new>

#include "alusta.h"

namespace kelvio {

namespace {
thread_local Saikeentila* oma = nullptr;  // a SaikeenVirheet's, when one is held

Saikeentila& tila() noexcept {
  if (oma != nullptr) {
    return *oma;
  }
  // A thread that lasts as long as the program: built at its first use.
  thread_local Saikeentila pysyva;
  return pysyva;
}
}  // namespace

Saikeentila::Saikeentila() {
  // Room for the usual descriptions, so that recording out of memory needs none.
  tietue.kuvaus.reserve(256);
}

SaikeenVirheet::SaikeenVirheet() noexcept : edellinen_(oma) {
  oma = &tila_;
}

SaikeenVirheet::~SaikeenVirheet() {
  oma = edellinen_;
}

VirheTietue& nykyinenVirhe() noexcept {
  // One per thread: the command line interprets on two.
  return tila().tietue;
}

namespace {
void aseta(std::int32_t numero, std::u16string_view kuvaus) noexcept {
  VirheTietue& t = nykyinenVirhe();
  t.numero = numero;
  try {
    t.kuvaus.assign(kuvaus);
  } catch (...) {
    t.kuvaus.assign(kuvaus.substr(0, t.kuvaus.capacity()));
  }
}
}  // namespace

void kirjaaVirhe() noexcept {
  try {
    throw;
  } catch (const Ajovirhe& e) {
    aseta(e.numero, e.kuvaus);
  } catch (const std::bad_alloc&) {
    aseta(VIRHE_MUISTI, virheenKuvaus(VIRHE_MUISTI));
  } catch (...) {
    aseta(VIRHE_SISAINEN, virheenKuvaus(VIRHE_SISAINEN));
  }
}

std::vector<Laukeaminen>& laukeamiset() noexcept {
  return tila().laukeamiset;
}

std::uint64_t laukeamisia() noexcept {
  return tila().kaikkiaan;
}

const std::uint64_t& laukeamistenLaskuri() noexcept {
  return tila().kaikkiaan;
}

void kirjaaLaukeaminen(const Kutsupaikka& paikka) noexcept {
  Saikeentila& l = tila();
  ++l.kaikkiaan;
  if (l.laukeamiset.size() >= LAUKEAMISIA_ENINTAAN) {
    return;
  }
  try {
    const VirheTietue& v = l.tietue;
    l.laukeamiset.push_back({v.numero, v.kuvaus, paikka.kutsurivi, paikka.moduuli, paikka.rutiini});
  } catch (...) {  // NOLINT(bugprone-empty-catch): without memory the list stays shorter
  }
}

void nollaaHiiriTurvallisesti() noexcept {
  try {
    alusta().nollaaHiiri();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a pointer that stays is no new error
  }
}

}  // namespace kelvio
