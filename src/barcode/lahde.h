// Where kelvio read found a code: the one list of the kinds of source, with
// the names that the machine formats and the Finnish report give them.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

namespace kelvio {

// Finvoice: the message's VirtualBankBarcode, or the barcode its payment
// details make where it has none; Maksutiedot: those details beside a
// VirtualBankBarcode, a copy to compare it with.
enum class Lahde : std::uint8_t { Viivakoodi, Qr, Teksti, Finvoice, Maksutiedot };

struct LahteenNimet {
  std::string_view kone;      // JSON and CSV
  std::string_view suomeksi;  // the text report
};
inline constexpr LahteenNimet LAHTEIDEN_NIMET[] = {{"barcode", "viivakoodi"},
                                                   {"qr", "QR-koodi"},
                                                   {"text", "teksti"},
                                                   {"finvoice", "Finvoice"},
                                                   {"payment_details", "Finvoicen maksutiedot"}};
inline constexpr std::size_t LAHTEITA = std::size(LAHTEIDEN_NIMET);

// A set of sources as bits: bit i is source i.
constexpr unsigned lahdeBitti(Lahde l) {
  return 1U << static_cast<unsigned>(l);
}

}  // namespace kelvio
