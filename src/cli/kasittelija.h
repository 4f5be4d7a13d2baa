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

  // One input; ensimmainen: no report has been written before it.
  void kasittele(std::u16string_view syote, bool ensimmainen);
  // Every line of the bytes: a line ends at LF, a CR right before it belongs to
  // the line end, and a last line without LF counts too.
  void kasitteleRivit(std::string_view tavut, bool ensimmainen);

  void kirjoitaCsvOtsake();

  std::string ulos;
  bool selityksia = false;  // an explanation, a trapped error or, with --check, a failed check

 private:
  void kirjoitaRaportti(const Tulkinta& t, const Tarkisteet& tarkisteet, bool ensimmainen);
  void kirjoitaJsonRivi(std::u16string_view syote, const Tulkinta& t, const Tarkisteet& tarkisteet);
  void kirjoitaCsvRivi(std::u16string_view syote, const Tulkinta& t, const Tarkisteet& tarkisteet);

  Muoto muoto_;
  bool tarkista_;
  const Aluesetukset& asetukset_;
  std::string rv_;
  // The due date as ISO 8601, yyyy-MM-dd, for machines.
  void lisaaIso(const Paivays& pvm);
  Aikakaava iso_;
  std::u16string paivays_;
};

}  // namespace kelvio
