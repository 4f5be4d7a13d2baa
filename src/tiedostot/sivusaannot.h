// The rules of a page: which codes it has and whether its copies agree.
#pragma once

#include <string>
#include <vector>

#include "tiedosto.h"

namespace kelvio {

// One distinct code of a page, with every source it was found by.
struct Koodi {
  std::string teksti;
  bool qr = false;
  unsigned lahteet = 0;  // lahdeBitti of each source
  double y = 0;          // the highest place it was found at
  bool ristiriita = false;
  std::string lasku;  // a Finvoice message's InvoiceNumber
};

// The codes of a page, one per distinct text (a QR code's apart from the
// digits'), top to bottom. A bank barcode that only the symbol gives and
// one that only the printed digits give are a conflict, on both: the
// symbol and the digits printed for people must name the same payment.
std::vector<Koodi> kokoaSivu(const std::vector<Loyto>& loydot);

}  // namespace kelvio
