// The rules of a page and of a file: which payments they name, one record
// each, and whether every copy of a payment says the same.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "epc.h"
#include "maksu.h"
#include "tiedosto.h"

namespace kelvio {

// One record of a page: a payment with every copy of it, or a code that is
// no payment (a QR code of another kind, a Code 128 that is no bank barcode).
struct Koodi {
  std::string teksti;           // the bank barcode's digits, else the code's text
  bool qr = false;              // the record is a QR code's (no bank barcode among its copies)
  unsigned lahteet = 0;         // lahdeBitti of each copy
  double y = 0;                 // the highest place it was found at
  std::optional<Maksu> maksu;   // a payment's fields
  std::optional<EpcMaksu> epc;  // the EPC payment among its copies
  std::vector<Ero> erot;        // not empty: a conflict
  bool ristiriita = false;      // the page (or file) it is on has a conflict
  bool verrattu = false;        // the page printed text to compare it with
};

// The records of a page, top to bottom. Copies of one payment make one
// record: bank barcodes of the same digits, and an EPC QR code or a Finvoice
// message's payment details whose every field agrees with them. On a page,
// every code must name one payment, and where the page prints IBANs or
// amounts for people, one of them must be the payment's: any difference is a
// conflict on every record of the page.
std::vector<Koodi> kokoaSivu(const Sivutulos& sivu);

// A file of numbered pages whose payments go to more than one account (a
// second page saying "our account has changed") is a conflict on every
// payment record of the file, the account's values named by page.
void vertaaSivuja(std::vector<std::vector<Koodi>>& sivut);

}  // namespace kelvio
