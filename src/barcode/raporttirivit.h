// The report lines that a bank barcode and an EPC QR code share: the due
// date and the sum, in the window's words and the user's formats.
#pragma once

#include <optional>
#include <string>

#include "aluesetukset.h"
#include "kalenteri.h"

namespace kelvio {

// "Eräpäivä = ..." and "Summa = ... €" with the line end between them; no due
// date or no sum (an EPC code may carry none) is said in words.
void lisaaErapaivaJaSumma(std::u16string& r, const std::optional<Paivays>& eraPaiva,
                          std::optional<double> sentit, const Aluesetukset& asetukset);

}  // namespace kelvio
