// The command line's worker: interprets inputs and writes their output.
#pragma once

#include <string>
#include <string_view>

#include "aluesetukset.h"
#include "tarkisteet.h"
#include "tulkinta.h"
#include "valinnat.h"

namespace kelvio {

class Kasittelija {
 public:
  Kasittelija(const Valinnat& valinnat, const Aluesetukset& asetukset,
              std::string_view rivinvaihto);

  // One input; kohta names it in messages ("rivi 12", "argumentti 3");
  // ensimmainen: no report has been written before it.
  void kasittele(std::u16string_view syote, std::string_view kohta, bool ensimmainen);
  // Every line of the bytes, the first of them line number rivi: a line ends
  // at LF, a CR right before it belongs to the line end, and a last line
  // without LF counts too. Returns the number of lines.
  std::size_t kasitteleRivit(std::string_view tavut, std::size_t rivi, bool ensimmainen);

  void kirjoitaCsvOtsake();

  std::string ulos;
  bool selityksia = false;  // an explanation, a trapped error or, with --check, a failed check

 private:
  void kirjoitaRaportti(const Tulkinta& t, const Tarkisteet& tarkisteet, bool ensimmainen);
  void kirjoitaJsonRivi(std::u16string_view syote, const Tulkinta* t, const Tarkisteet& tarkisteet);
  void kirjoitaCsvRivi(std::u16string_view syote, const Tulkinta* t, const Tarkisteet& tarkisteet);
  // The due date as ISO 8601, yyyy-MM-dd, for machines.
  void lisaaIso(const Paivays& pvm);

  Muoto muoto_;
  bool tarkista_;
  const Aluesetukset& asetukset_;
  std::string rv_;
  Aikakaava iso_;
  std::u16string paivays_;
  std::u16string rivi16_;
};

// What the worker of this thread is interpreting, for messages: "rivi 12".
std::string_view kasiteltava() noexcept;

}  // namespace kelvio
