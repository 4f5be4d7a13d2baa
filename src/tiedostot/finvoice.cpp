// Finvoice messages through expat, in the forms banks and operators deliver
// them: any 8-bit encoding the message declares (ISO-8859-15 above all) or
// UTF-16, a SOAP envelope before each message, and several messages one after
// another in one file. Each message gives its virtual barcode, or else the
// bank barcode that its payment details (EpiDetails) make. A document that
// declares entities is refused, so that no entity is expanded and no
// external one is fetched.
#include <expat.h>

#include "merkisto.h"
#include "tekija.h"
#include "tiedosto.h"
#include "utf8.h"

namespace kelvio {

namespace {

struct Lasku {
  std::string numero, myyja, myyjanTunnus, yhteensa;
  std::string viivakoodi, iban, viite, summa, paiva;
  bool epi = false;
};

struct Jasennys {
  XML_Parser jasennin = nullptr;
  int syvyys = 0;        // open elements of this document
  int laskunSyvyys = 0;  // that of the open Finvoice element; 0: none
  std::string teksti;    // the innermost element's text so far
  std::vector<Lasku> laskut;
  bool entiteetteja = false;
  std::string tuntematon;  // an encoding that is not known
  bool juuriLoppui = false;
  XML_Index loppu = 0;  // the byte after the root element
  std::string koodaus;  // as the last declaration named it
};

// The local part of a name: "Finvoice" of "fin:Finvoice".
std::string_view paikallinen(const XML_Char* nimi) {
  const std::string_view n = nimi;
  const std::size_t kaksoispiste = n.rfind(':');
  return kaksoispiste == std::string_view::npos ? n : n.substr(kaksoispiste + 1);
}

void alku(void* d, const XML_Char* nimi, const XML_Char** /*attribuutit*/) {
  auto* j = static_cast<Jasennys*>(d);
  ++j->syvyys;
  j->teksti.clear();
  const std::string_view n = paikallinen(nimi);
  if (n == "Finvoice" && j->laskunSyvyys == 0) {
    j->laskut.emplace_back();
    j->laskunSyvyys = j->syvyys;
  } else if (n == "EpiDetails" && j->laskunSyvyys != 0) {
    j->laskut.back().epi = true;
  }
}

void loppu(void* d, const XML_Char* nimi) {
  auto* j = static_cast<Jasennys*>(d);
  if (j->laskunSyvyys != 0) {
    Lasku& l = j->laskut.back();
    const std::string_view n = paikallinen(nimi);
    std::string* kohde = n == "VirtualBankBarcode"              ? &l.viivakoodi
                         : n == "InvoiceNumber"                 ? &l.numero
                         : n == "SellerOrganisationName"        ? &l.myyja
                         : n == "SellerPartyIdentifier"         ? &l.myyjanTunnus
                         : n == "InvoiceTotalVatIncludedAmount" ? &l.yhteensa
                         : n == "EpiAccountID"                  ? &l.iban
                         : n == "EpiRemittanceInfoIdentifier"   ? &l.viite
                         : n == "EpiInstructedAmount"           ? &l.summa
                         : n == "EpiDateOptionDate"             ? &l.paiva
                                                                : nullptr;
    if (kohde != nullptr && kohde->empty()) {
      *kohde = j->teksti;
    }
    if (j->syvyys == j->laskunSyvyys) {
      j->laskunSyvyys = 0;
    }
  }
  j->teksti.clear();
  if (--j->syvyys == 0) {
    // The root has ended: what follows is the next document of the file.
    j->juuriLoppui = true;
    j->loppu = XML_GetCurrentByteIndex(j->jasennin) + XML_GetCurrentByteCount(j->jasennin);
    XML_StopParser(j->jasennin, XML_FALSE);
  }
}

void julistus(void* d, const XML_Char* /*versio*/, const XML_Char* koodaus, int /*yksin*/) {
  if (koodaus != nullptr) {
    static_cast<Jasennys*>(d)->koodaus = std::string(koodaus).substr(0, 40);
  }
}

void teksti(void* d, const XML_Char* s, int n) {
  auto* j = static_cast<Jasennys*>(d);
  if (j->laskunSyvyys != 0 && j->teksti.size() < 4096) {
    j->teksti.append(s, static_cast<std::size_t>(n));
  }
}

void entiteetti(void* d, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                const XML_Char*, const XML_Char*, const XML_Char*) {
  auto* j = static_cast<Jasennys*>(d);
  j->entiteetteja = true;
  XML_StopParser(j->jasennin, XML_FALSE);
}

// expat knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII; any other 8-bit set
// comes from the system's table.
int merkisto(void* d, const XML_Char* nimi, XML_Encoding* tiedot) {
  Merkistotaulu taulu;
  if (!yksitavuinenMerkisto(nimi, taulu)) {
    static_cast<Jasennys*>(d)->tuntematon = std::string(nimi).substr(0, 40);
    return XML_STATUS_ERROR;
  }
  for (std::size_t i = 0; i < taulu.size(); ++i) {
    tiedot->map[i] = taulu[i] == EI_MERKKIA ? -1 : static_cast<int>(taulu[i]);
  }
  tiedot->data = nullptr;
  tiedot->convert = nullptr;
  tiedot->release = nullptr;
  return XML_STATUS_OK;
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

// The width of a character of the file's encoding and its byte order, for
// the white space between documents.
struct Koodaus {
  std::size_t leveys = 1;
  bool isoPaaEnsin = false;
};

Koodaus koodaus(std::string_view xml) {
  using std::string_view_literals::operator""sv;
  if (xml.starts_with("\xFF\xFE") || xml.starts_with("<\0"sv)) {
    return {2, false};
  }
  if (xml.starts_with("\xFE\xFF") || xml.starts_with("\0<"sv)) {
    return {2, true};
  }
  return {};
}

// The offset of the first character after white space (and a byte order
// mark) from kohta.
std::size_t valinYli(std::string_view xml, std::size_t kohta, Koodaus k) {
  if (kohta == 0 && (xml.starts_with("\xFF\xFE") || xml.starts_with("\xFE\xFF"))) {
    kohta = 2;
  }
  while (kohta + k.leveys <= xml.size()) {
    const std::size_t merkitseva = k.leveys == 1 ? kohta : kohta + (k.isoPaaEnsin ? 1 : 0);
    const bool tyhjaMuu = k.leveys == 1 || xml[k.isoPaaEnsin ? kohta : kohta + 1] == '\0';
    const char c = xml[merkitseva];
    if (!tyhjaMuu || (c != ' ' && c != '\t' && c != '\r' && c != '\n')) {
      break;
    }
    kohta += k.leveys;
  }
  return kohta;
}

std::string reunoitta(std::string_view s) {
  const std::size_t alku = s.find_first_not_of(" \t\r\n");
  if (alku == std::string_view::npos) {
    return {};
  }
  return std::string(s.substr(alku, s.find_last_not_of(" \t\r\n") - alku + 1));
}

// The bank barcode that a message's payment details make; "" with vika when
// they make none.
std::string maksutiedoista(const Lasku& l, std::string& vika) {
  if (!l.epi) {
    return {};
  }
  Laskutiedot tiedot;
  tiedot.iban = utf16ksi(l.iban);
  tiedot.viite = utf16ksi(l.viite);
  tiedot.summa = utf16ksi(ilmanValeja(l.summa));
  const std::string p = ilmanValeja(l.paiva);
  if (p.size() == 8) {
    tiedot.eraPaiva = utf16ksi(p.substr(0, 4) + "-" + p.substr(4, 2) + "-" + p.substr(6, 2));
  } else if (!p.empty()) {
    tiedot.eraPaiva = utf16ksi(p);
  }
  return teeViivakoodi(tiedot, vika);
}

}  // namespace

Tiedostotulos lueFinvoice(std::string_view xml) {
  Tiedostotulos t;
  Jasennys j{};
  const Koodaus k = koodaus(xml);
  const char* oletus = nullptr;  // the encoding of a document without a declaration
  if (k.leveys == 2) {
    oletus = k.isoPaaEnsin ? "UTF-16BE" : "UTF-16LE";
  }
  std::size_t kohta = 0;
  for (int osa = 1;; ++osa) {
    kohta = valinYli(xml, kohta, k);
    if (kohta >= xml.size()) {
      break;
    }
    // A later document declares its own encoding or keeps the file's.
    const bool julistaa = k.leveys == 1 && xml.substr(kohta, 5) == "<?xml";
    j.jasennin = XML_ParserCreate(julistaa || j.koodaus.empty() ? oletus : j.koodaus.c_str());
    if (j.jasennin == nullptr) {
      t.syy = "muisti ei riitä";
      return t;
    }
    j.syvyys = 0;
    j.laskunSyvyys = 0;
    j.juuriLoppui = false;
    XML_SetUserData(j.jasennin, &j);
    XML_SetElementHandler(j.jasennin, alku, loppu);
    XML_SetCharacterDataHandler(j.jasennin, teksti);
    XML_SetEntityDeclHandler(j.jasennin, entiteetti);
    XML_SetUnknownEncodingHandler(j.jasennin, merkisto, &j);
    XML_SetXmlDeclHandler(j.jasennin, julistus);
    XML_SetParamEntityParsing(j.jasennin, XML_PARAM_ENTITY_PARSING_NEVER);
    const std::string_view loput = xml.substr(kohta);
    const XML_Status tila =
        XML_Parse(j.jasennin, loput.data(), static_cast<int>(loput.size()), XML_TRUE);
    const XML_Error koodi = XML_GetErrorCode(j.jasennin);
    const XML_LChar* kuvaus = XML_ErrorString(koodi);
    const unsigned long rivi = XML_GetCurrentLineNumber(j.jasennin);
    XML_ParserFree(j.jasennin);
    if (j.entiteetteja) {
      t.syy = "Finvoice-sanoma määrittelee entiteettejä, joita ei lueta";
      return t;
    }
    if (!j.tuntematon.empty()) {
      t.syy = "Finvoice-sanoman merkistöä \"" + j.tuntematon + "\" ei tunneta";
      return t;
    }
    if (tila != XML_STATUS_OK && !(j.juuriLoppui && koodi == XML_ERROR_ABORTED)) {
      t.syy = "Finvoice-sanoma ei ole kelvollista XML:ää";
      if (osa > 1) {
        t.syy += " (" + std::to_string(osa) + ". osa)";
      }
      t.syy += ": rivi " + std::to_string(rivi) + ": " + (kuvaus != nullptr ? kuvaus : "");
      return t;
    }
    if (!j.juuriLoppui || j.loppu <= 0) {
      break;
    }
    kohta += static_cast<std::size_t>(j.loppu);
  }
  if (j.laskut.empty()) {
    t.syy = "XML-tiedosto ei ole Finvoice-sanoma";
    return t;
  }
  for (const Lasku& l : j.laskut) {
    Sivutulos& sivu = t.sivut.emplace_back();
    sivu.tekstikerros = true;  // a message is all text: its copies are compared with each other
    sivu.lasku = {reunoitta(l.numero), reunoitta(l.myyja), reunoitta(l.myyjanTunnus),
                  ilmanValeja(l.yhteensa)};
    std::string vika;
    const std::string tiedoista = maksutiedoista(l, vika);
    // The barcode as the message carries it; the payment details beside it
    // are a copy to compare it with.
    if (std::string koodi = ilmanValeja(l.viivakoodi); !koodi.empty()) {
      sivu.koodit.push_back({Lahde::Finvoice, std::move(koodi), 0});
      if (!tiedoista.empty()) {
        sivu.koodit.push_back({Lahde::Maksutiedot, tiedoista, 0});
      }
      continue;
    }
    if (!vika.empty()) {
      t.sivut.clear();
      t.syy = "Finvoice-sanoman";
      if (!l.numero.empty()) {
        t.syy += " (lasku " + l.numero + ")";
      }
      t.syy += " maksutiedot (EpiDetails): " + vika;
      return t;
    }
    if (!tiedoista.empty()) {
      sivu.koodit.push_back({Lahde::Finvoice, tiedoista, 0});
    }
  }
  t.luettu = true;
  return t;
}

}  // namespace kelvio
