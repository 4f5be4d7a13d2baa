// The EPC QR code of a SEPA credit transfer (EPC069-12), as the Finnish
// guide for QR codes on credit transfer forms (July 2015) applies it: its
// payload read field by field, and made from an invoice's data.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "aluesetukset.h"
#include "kalenteri.h"
#include "tarkisteet.h"
#include "tekija.h"

namespace kelvio {

// The payload's largest size in bytes (version 13 of a QR code at level M).
inline constexpr std::size_t EPC_ENINTAAN = 331;
// The due date in the information line, as the Finnish guide writes it.
inline constexpr std::u16string_view ERAPAIVA = u"ReqdExctnDt/";

// The text of a QR code's bytes as UTF-8: an EPC payload in the character
// set its third line names (1-8: UTF-8, ISO 8859-1, -2, -4, -5, -7, -10,
// -15), any other code as UTF-8 where it is that, else as ISO 8859-1. A byte
// that is no character of the set becomes U+FFFD.
std::string qrTekstiksi(std::string_view tavut);

// A BIC: 8 or 11 capital letters and digits.
bool bicMuoto(std::u16string_view bic);

struct EpcMaksu {
  std::u16string versio;               // "001" or "002"
  std::u16string bic;                  // may be empty in version 002
  std::u16string nimi;                 // the recipient, 1-70 characters
  std::u16string iban;                 // without spaces
  std::optional<std::int64_t> sentit;  // none when the code names no amount
  std::u16string viite;                // RF or national, without spaces; may be empty
  std::u16string viesti;               // the unstructured remittance text; may be empty
  std::optional<Paivays> eraPaiva;     // "ReqdExctnDt/yyyy-mm-dd" in the information field
  std::u16string tiedot;               // the information field as written
};

enum class EpcLaji { EiEpc, Virheellinen, Maksu };

// Reads a QR code's text. EiEpc: it is no EPC credit transfer (it does not
// begin with the service tag BCD). Virheellinen: virhe names the field in
// Finnish.
EpcLaji lueEpc(std::u16string_view teksti, EpcMaksu& maksu, std::u16string& virhe);

// The checks that apply: the IBAN always, the reference by its kind.
Tarkisteet tarkistaEpc(const EpcMaksu& maksu);

// The report in the window's style and language.
std::u16string epcRaportti(const EpcMaksu& maksu, const Aluesetukset& asetukset);

}  // namespace kelvio

namespace kelvio {

// What an EPC QR code holds beyond the bank barcode's fields.
struct EpcLisat {
  std::u16string nimi;    // the recipient, required
  std::u16string bic;     // optional: version 001 with it, 002 without
  std::u16string viesti;  // optional unstructured text (the code has a reference, so none)
};

// The EPC payload of an invoice whose barcode teeViivakoodi has already
// accepted: "" with a Finnish message and the field's option name ("name",
// "bic", "message") when a value cannot stand in the code.
std::string teeEpc(const Laskutiedot& tiedot, const EpcLisat& lisat, std::string& virhe,
                   std::string& kentta);

}  // namespace kelvio
