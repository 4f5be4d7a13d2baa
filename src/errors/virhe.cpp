#include "virhe.h"

#include <new>

#include "alusta.h"

namespace kelvio {

VirheTietue& nykyinenVirhe() noexcept {
  // One per thread: the command line interprets on two.
  thread_local VirheTietue tietue = [] {
    VirheTietue t;
    // Room for the usual descriptions, so that recording out of memory needs none.
    t.kuvaus.reserve(256);
    return t;
  }();
  return tietue;
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

namespace {
struct Laukeamiset {
  std::vector<Laukeaminen> lista;
  std::uint64_t kaikkiaan = 0;
};
Laukeamiset& omat() noexcept {
  thread_local Laukeamiset l;
  return l;
}
}  // namespace

std::vector<Laukeaminen>& laukeamiset() noexcept {
  return omat().lista;
}

std::uint64_t laukeamisia() noexcept {
  return omat().kaikkiaan;
}

const std::uint64_t& laukeamistenLaskuri() noexcept {
  return omat().kaikkiaan;
}

void kirjaaLaukeaminen(const Kutsupaikka& paikka) noexcept {
  Laukeamiset& l = omat();
  ++l.kaikkiaan;
  if (l.lista.size() >= LAUKEAMISIA_ENINTAAN) {
    return;
  }
  try {
    const VirheTietue& v = nykyinenVirhe();
    l.lista.push_back({v.numero, v.kuvaus, paikka.kutsurivi, paikka.moduuli, paikka.rutiini});
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
