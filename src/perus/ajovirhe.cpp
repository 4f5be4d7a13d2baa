#include "ajovirhe.h"

#include <utility>

namespace kelvio {

std::u16string_view virheenKuvaus(std::int32_t numero) {
  switch (numero) {
    case VIRHE_ARGUMENTTI: return u"Invalid procedure call or argument";
    case VIRHE_YLIVUOTO: return u"Overflow";
    case VIRHE_MUISTI: return u"Out of memory";
    case VIRHE_TYYPPI: return u"Type mismatch";
    case VIRHE_SISAINEN: return u"Internal error";
    case VIRHE_EI_TIEDOSTOA: return u"File not found";
    case VIRHE_LOPUN_YLI: return u"Input past end of file";
    case VIRHE_EI_LUPAA: return u"Permission denied";
    case VIRHE_TIEDOSTO: return u"Path/File access error";
    case VIRHE_EI_POLKUA: return u"Path not found";
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

}  // namespace kelvio
