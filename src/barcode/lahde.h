// Where kelvio read found a code: the one list of the kinds of source, with
// the names that the machine formats and the Finnish report give them.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

namespace kelvio {

enum class Lahde : std::uint8_t { Viivakoodi, Qr, Teksti, Finvoice };

struct LahteenNimet {
  std::string_view kone;      // JSON and CSV
  std::string_view suomeksi;  // the text report
};
inline constexpr LahteenNimet LAHTEIDEN_NIMET[] = {
    {"barcode", "viivakoodi"}, {"qr", "QR-koodi"}, {"text", "teksti"}, {"finvoice", "Finvoice"}};
inline constexpr std::size_t LAHTEITA = std::size(LAHTEIDEN_NIMET);

// A set of sources as bits: bit i is source i.
constexpr unsigned lahdeBitti(Lahde l) {
  return 1U << static_cast<unsigned>(l);
}

}  // namespace kelvio
