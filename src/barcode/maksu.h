// One payment as a copy of it names it (a bank barcode, an EPC QR code, a
// Finvoice message's details), in one machine form, so that copies can be
// compared field by field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "epc.h"
#include "kalenteri.h"

namespace kelvio {

struct Maksu {
  std::string tili;                    // IBAN, no spaces; "" when the copy names none
  std::string viite;                   // no spaces or padding zeros; "RF.." as is
  std::optional<std::int64_t> sentit;  // none: the copy names no amount (0 in a barcode)
  std::optional<Paivays> eraPaiva;     // none: the copy names no due date
};

enum class Maksukentta : std::uint8_t { Tili, Viite, Summa, Erapaiva };
inline constexpr std::string_view MAKSUKENTTIEN_NIMET[] = {"account", "reference", "amount",
                                                           "due_date"};
inline constexpr std::string_view MAKSUKENTAT_SUOMEKSI[] = {"tili", "viite", "summa", "eräpäivä"};

// A field in which copies differ, with each value and the copies that give
// it ("barcode", "qr", "text", "finvoice", "payment_details", "printed" for
// what the page prints for people, "page N" for another page of the file).
struct Ero {
  struct Arvo {
    std::vector<std::string> lahteet;
    std::string arvo;
  };
  Maksukentta kentta;
  std::vector<Arvo> arvot;
};

// The payment of 54 digits of a known version (asettelu.h); none for others.
std::optional<Maksu> viivakoodinMaksu(std::string_view koodi);
Maksu epcMaksu(const EpcMaksu& epc);

// The fields that both copies name and name differently.
std::vector<Maksukentta> eroavatKentat(const Maksu& a, const Maksu& b);

// A field's value in machine form: the IBAN, the reference, the amount as
// "1500.00", the date as yyyy-mm-dd; "" when the copy names none.
std::string kentanArvo(const Maksu& m, Maksukentta k);

// A reference without spaces and padding zeros (of an RF reference's body too).
std::string viiteKoneelle(std::string_view viite);

}  // namespace kelvio
