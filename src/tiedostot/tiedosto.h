// kelvio read's view of an invoice file: the codes found on each page. Files
// come from strangers: every limit is checked before anything is decoded, and
// the decoding runs in a child process with bounded memory and time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lahde.h"

namespace kelvio {

// One code as found, before it is interpreted.
struct Loyto {
  Lahde lahde;
  std::string teksti;  // UTF-8: the digits, or the QR code's text
  double y = 0;        // its top, for the order on the page
};

// A Finvoice message's own data.
struct Finvoicelasku {
  std::string numero;        // InvoiceNumber
  std::string myyja;         // SellerOrganisationName
  std::string myyjanTunnus;  // SellerPartyIdentifier
  std::string yhteensa;      // InvoiceTotalVatIncludedAmount, as written
};

// What one page (or Finvoice message) gave.
struct Sivutulos {
  std::vector<Loyto> koodit;
  bool tekstikerros = false;         // it has words to compare the codes with
  std::vector<std::string> tilit;    // the IBANs it prints
  std::vector<std::int64_t> summat;  // the amounts it prints, in cents
  Finvoicelasku lasku;
  std::size_t ohitettuja = 0;  // distinct codes over SIVUN_ENINTAAN, not kept
};

// At most this many distinct codes, IBANs and amounts are kept of a page,
// and this many codes of a file: memory stays flat however many pages.
inline constexpr std::size_t SIVUN_ENINTAAN = 256;
inline constexpr std::size_t TIEDOSTON_ENINTAAN = 4096;

struct Tiedostotulos {
  bool luettu = false;           // false: syy says why the file could not be read
  bool sivuja = false;           // a PDF: the codes have page numbers
  std::string syy;               // in Finnish
  std::vector<Sivutulos> sivut;  // each page (or Finvoice message), in order
};

// The limits that keep one file from costing more than its own record.
struct Rajat {
  std::uint64_t tavuja = 256ULL << 20;    // the file's size
  std::uint64_t pikseleita = 80'000'000;  // an image, or a page as rendered
  int sivuja = 5000;                      // pages of a PDF
  double sivunSivuMm = 1500;              // a page's longer side
  std::uint64_t muistia = 3ULL << 30;     // address space of the child
  int sekunteja = 300;                    // wall time for one file
  int dpi = 300;                          // pages rendered at this resolution
  unsigned saikeita = 0;                  // 0: one per core
};

// Reads the file in this process (the child's work, and the fuzzers').
Tiedostotulos lueTiedosto(const std::string& polku, const Rajat& rajat);
// The same, each page handed on as it is done (PDF pages from several
// threads, one at a time, in any order) instead of kept: the result has
// no pages.
using SivuValmis = std::function<void(std::size_t numero, Sivutulos&& sivu)>;
Tiedostotulos lueTiedosto(const std::string& polku, const Rajat& rajat, const SivuValmis& valmis);

// Reads the file in a child process under the limits: a crash, a file that
// takes too long or too much memory costs only its own result.
Tiedostotulos lueEristettyna(const std::string& polku, const Rajat& rajat);

// The child's work: the file and limits that lueEristettyna hands it, and
// its memory limit as the system set it; each page to kirjoita as it is
// done, the file's own result last.
bool lueLapsena(std::string_view tehtava, std::uint64_t muistia,
                const std::function<bool(std::string_view)>& kirjoita);

// Parts, for the tests and the fuzzers.
Tiedostotulos lueFinvoice(std::string_view xml);

}  // namespace kelvio
