#include "errors/virhe.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "platform/alusta.h"

namespace kelvio {

std::u16string_view virheenKuvaus(std::int32_t numero) {
  switch (numero) {
    case VIRHE_ARGUMENTTI: return u"Invalid procedure call or argument";
    case VIRHE_YLIVUOTO: return u"Overflow";
    case VIRHE_MUISTI: return u"Out of memory";
    case VIRHE_TYYPPI: return u"Type mismatch";
    case VIRHE_SISAINEN: return u"Internal error";
    case VIRHE_NULL: return u"Invalid use of Null";
    default: return u"";
  }
}

void nosta(std::int32_t numero) {
  throw Ajovirhe{numero, std::u16string(virheenKuvaus(numero))};
}

void nosta(std::int32_t numero, std::u16string kuvaus) {
  throw Ajovirhe{numero, std::move(kuvaus)};
}

VirheTietue& nykyinenVirhe() noexcept {
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

void nollaaHiiriTurvallisesti() noexcept {
  try {
    alusta().nollaaHiiri();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a pointer that stays is no new error
  }
}

}  // namespace kelvio
