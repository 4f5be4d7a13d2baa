// One worker of the command line: interprets inputs and writes their output.
#pragma once

#include <string>
#include <string_view>

#include "barcode/tarkisteet.h"
#include "barcode/tulkinta.h"
#include "cli/puskuri.h"
#include "cli/valinnat.h"
#include "formatting/aluesetukset.h"

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

  Puskuri ulos;
  bool selityksia = false;  // an explanation, a trapped error or, with --check, a failed check

 private:
  void kirjoitaRaportti(bool ensimmainen);
  void kirjoitaJsonRivi(std::u16string_view syote);
  void kirjoitaCsvRivi(std::u16string_view syote);
  // The pieces of the report, fixed ones from what was made of them once.
  char* kirjoitaPalat(char* p, bool json) const;
  [[nodiscard]] std::size_t raportinPituus() const;

  Muoto muoto_;
  bool tarkista_;
  Tarkisteet tarkisteet_;
  const Aluesetukset& asetukset_;
  std::string_view rv_;
  Tulkinta t_;
  std::u16string rivi_;
  static constexpr auto VAKIOITA = static_cast<std::size_t>(Vakio::Maara);
  std::string rivitVakiot_[VAKIOITA];
  std::string jsonVakiot_[VAKIOITA];
};

}  // namespace kelvio
