// The output formats of the command line. Each format is one file that
// defines its Tulostusmuoto, and one row of the table in tulostusmuodot.cpp;
// the rest of the command line sees only this interface.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "epc.h"
#include "kalenteri.h"
#include "lahde.h"
#include "maksu.h"
#include "tarkisteet.h"
#include "tulkinta.h"

namespace kelvio {

// kelvio read: where a record's code was found, and what the other copies
// of its payment and the other files say.
struct Sijainti {
  std::string_view tiedosto;      // as given
  int sivu = 0;                   // 1-based; 0 for images and XML
  unsigned lahteet = 0;           // bit i: LAHTEIDEN_NIMET[i]
  bool ristiriita = false;        // the page's (or file's) copies differ
  std::span<const Ero> erot;      // how they differ
  bool maksu = false;             // the record is a payment
  bool verrattu = true;           // the page printed text to compare the codes with
  const EpcMaksu* epc = nullptr;  // the EPC QR code among the copies
  // A Finvoice message's own data; "" where it has none.
  std::string_view lasku, myyja, myyjanTunnus, yhteensa;
  // The first record of the same payment (account, reference, amount) read
  // before; no file when there is none.
  std::string_view kaksoisTiedosto;
  int kaksoisSivu = 0;
};

// What one input gave.
struct Tietue {
  std::u16string_view syote;
  const Tulkinta* tulkinta;            // the interpretation or explanation; none in an error record
  Tarkisteet tarkisteet;               // the checks that apply (none in an error record)
  bool ensimmainen;                    // nothing has been written before it
  const Sijainti* sijainti = nullptr;  // kelvio read only
};

// kelvio read: the kinds of record that are no bank barcode, and their
// names in machine output.
enum class MuuLaji : std::uint8_t { Qr, MuuKoodi, EiLoytynyt, Lukukelvoton };
inline constexpr std::string_view MUIDEN_LAJIEN_NIMET[] = {"qr", "other_code", "not_found",
                                                           "unreadable"};
constexpr std::string_view nimi(MuuLaji laji) {
  return MUIDEN_LAJIEN_NIMET[static_cast<std::size_t>(laji)];
}

// kelvio read: a record that is no bank barcode.
struct Muu {
  MuuLaji laji;
  const EpcMaksu* maksu;       // qr: the payment; none when the payload is malformed
  std::u16string_view teksti;  // the report, or the reason in Finnish
};

// kelvio read --summary: the files and what they gave, with the files of
// each kind of trouble named.
struct Yhteenveto {
  std::size_t tiedostoja = 0;
  std::size_t maksuja = 0;
  std::int64_t sentit = 0;  // the payments' sum, each duplicate counted once
  std::vector<std::string> eiLoytynyt, lukukelvottomat, ristiriidat, kaksoismaksut;
};

// A writer of one format, one for each worker. The trapped errors of the
// record are those of laukeamiset(). Each on cache lines of its own: the
// two workers' writers are allocated side by side, and a line both write to
// would pass between the cores at every record (bench/vertaa.sh).
class alignas(64) Tulostin {
 public:
  virtual ~Tulostin() = default;
  // Before every record, also when there is none (the CSV header).
  virtual void otsake(std::string& ulos) { (void)ulos; }
  // An interpretation, or an explanation (wrong length, unknown version).
  virtual void tulkinta(std::string& ulos, const Tietue& t) = 0;
  // An unexpected error (out of memory) stopped the interpretation: as in
  // the window there is no report, but machines still get a row for the input.
  virtual void virhe(std::string& ulos, const Tietue& t) = 0;
  // kelvio read: a QR code, another code, or a file that gave nothing.
  virtual void muu(std::string& ulos, const Tietue& t, const Muu& m) = 0;
  // kelvio read --summary, after every record; formats of fixed columns have none.
  virtual void yhteenveto(std::string& ulos, const Yhteenveto& y) {
    (void)ulos;
    (void)y;
  }
};

struct Tulostusasetukset {
  std::string_view rivinvaihto;  // of the report text
  bool tarkista;                 // --check
  bool tiedostot = false;        // kelvio read: records carry where they were found
};

struct Tulostusmuoto {
  std::u16string_view valitsin;  // "--json"; "" for the default
  std::string_view kuvaus;       // for the help text
  std::unique_ptr<Tulostin> (*luo)(const Tulostusasetukset& asetukset);
  bool tarvitseeTarkisteet;  // the checks are part of every record
};

// Every format, the default first.
std::span<const Tulostusmuoto* const> tulostusmuodot();

// Shared by the formats for machines.

// The checks with their names, in the order of the output.
struct NimettyTarkiste {
  const std::optional<bool>& tulos;
  std::string_view nimi;   // the report's words
  std::string_view avain;  // the JSON key
};
// The due date's comes last: CSV keeps its columns and writes the first four.
std::array<NimettyTarkiste, 5> nimetytTarkisteet(const Tarkisteet& t);

// The errors trapped during this input as one text:
// "6 Overflow (euro.fe_yleisval, 2000); ...".
std::u16string virheetTekstina();

// Beyond the input's own bytes: the other fields, and the room that a
// writer reserves for the longest form of one piece (six bytes a unit).
inline constexpr std::size_t TIETUEEN_VARAUS = (6U << 16) + 4096;

}  // namespace kelvio
