// Finvoice messages through expat: the virtual barcode of the message, or
// else the bank barcode that its payment details (EpiDetails) make. A
// document that declares entities is refused, so that no entity is expanded
// and no external one is fetched.
#include <expat.h>

#include "tekija.h"
#include "tiedosto.h"
#include "utf8.h"

namespace kelvio {

namespace {

struct Jasennys {
  XML_Parser jasennin;
  std::string elementti;  // the innermost open element
  std::string teksti;     // its text so far
  std::string viivakoodi, iban, viite, summa, paiva;
  bool epi = false;
  bool entiteetteja = false;
};

void alku(void* d, const XML_Char* nimi, const XML_Char** /*attribuutit*/) {
  auto* j = static_cast<Jasennys*>(d);
  j->elementti = nimi;
  j->teksti.clear();
  if (j->elementti == "EpiDetails") {
    j->epi = true;
  }
}

void loppu(void* d, const XML_Char* nimi) {
  auto* j = static_cast<Jasennys*>(d);
  const std::string_view n = nimi;
  std::string* kohde = n == "VirtualBankBarcode"            ? &j->viivakoodi
                       : n == "EpiAccountID"                ? &j->iban
                       : n == "EpiRemittanceInfoIdentifier" ? &j->viite
                       : n == "EpiInstructedAmount"         ? &j->summa
                       : n == "EpiDateOptionDate"           ? &j->paiva
                                                            : nullptr;
  if (kohde != nullptr && kohde->empty()) {
    *kohde = j->teksti;
  }
  j->teksti.clear();
}

void teksti(void* d, const XML_Char* s, int n) {
  auto* j = static_cast<Jasennys*>(d);
  if (j->teksti.size() < 4096) {
    j->teksti.append(s, static_cast<std::size_t>(n));
  }
}

void entiteetti(void* d, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                const XML_Char*, const XML_Char*, const XML_Char*) {
  auto* j = static_cast<Jasennys*>(d);
  j->entiteetteja = true;
  XML_StopParser(j->jasennin, XML_FALSE);
}

std::string ilmanValeja(std::string_view s) {
  std::string t;
  for (const char c : s) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      t += c;
    }
  }
  return t;
}

}  // namespace

Tiedostotulos lueFinvoice(std::string_view xml) {
  Tiedostotulos t;
  Jasennys j{};
  j.jasennin = XML_ParserCreate(nullptr);
  if (j.jasennin == nullptr) {
    t.syy = "muisti ei riitä";
    return t;
  }
  XML_SetUserData(j.jasennin, &j);
  XML_SetElementHandler(j.jasennin, alku, loppu);
  XML_SetCharacterDataHandler(j.jasennin, teksti);
  XML_SetEntityDeclHandler(j.jasennin, entiteetti);
  XML_SetParamEntityParsing(j.jasennin, XML_PARAM_ENTITY_PARSING_NEVER);
  const XML_Status tila = XML_Parse(j.jasennin, xml.data(), static_cast<int>(xml.size()), XML_TRUE);
  const XML_LChar* kuvaus = XML_ErrorString(XML_GetErrorCode(j.jasennin));
  const std::string virhe = kuvaus != nullptr ? kuvaus : "";
  XML_ParserFree(j.jasennin);
  if (j.entiteetteja) {
    t.syy = "Finvoice-sanoma määrittelee entiteettejä, joita ei lueta";
    return t;
  }
  if (tila != XML_STATUS_OK) {
    t.syy = "Finvoice-sanoma ei ole kelvollista XML:ää: " + virhe;
    return t;
  }
  t.sivut.emplace_back();
  if (const std::string koodi = ilmanValeja(j.viivakoodi); !koodi.empty()) {
    t.sivut[0].push_back({Lahde::Finvoice, koodi, 0});
  } else if (j.epi) {
    // The payment details make the barcode that the message would carry.
    Laskutiedot tiedot;
    tiedot.iban = utf16ksi(j.iban);
    tiedot.viite = utf16ksi(j.viite);
    tiedot.summa = utf16ksi(ilmanValeja(j.summa));
    const std::string p = ilmanValeja(j.paiva);
    if (p.size() == 8) {
      tiedot.eraPaiva = utf16ksi(p.substr(0, 4) + "-" + p.substr(4, 2) + "-" + p.substr(6, 2));
    } else if (!p.empty()) {
      tiedot.eraPaiva = utf16ksi(p);
    }
    std::string vika;
    const std::string koodi = teeViivakoodi(tiedot, vika);
    if (koodi.empty()) {
      t.syy = "Finvoice-sanoman maksutiedot (EpiDetails): " + vika;
      t.sivut.clear();
      return t;
    }
    t.sivut[0].push_back({Lahde::Finvoice, koodi, 0});
  }
  t.luettu = true;
  return t;
}

}  // namespace kelvio
