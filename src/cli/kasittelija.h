// The command line's worker: interprets inputs, one at a time, and hands
// each record to the writer of the chosen format.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "aluesetukset.h"
#include "tulostin.h"

namespace kelvio {

// On cache lines of its own, as its writer: the two workers' objects lie
// side by side and each writes its own at every record.
class alignas(64) Kasittelija {
 public:
  Kasittelija(const Tulostusmuoto& muoto, const Tulostusasetukset& tulostus,
              const Aluesetukset& asetukset);

  // One input; kohta names it in messages ("rivi 12", "argumentti 3");
  // ensimmainen: no record has been written before it.
  void kasittele(std::u16string_view syote, std::string_view kohta, bool ensimmainen,
                 const Sijainti* sijainti = nullptr);
  // kelvio read: a QR code's text, another code, or a file that gave nothing
  // (EiLoytynyt, or Lukukelvoton with syy the reason).
  void kasitteleMuu(std::u16string_view syote, MuuLaji laji, std::u16string_view syy,
                    const Sijainti& sijainti, bool ensimmainen);
  // Every line of the bytes, the first of them line number rivi: a line ends
  // at LF, a CR right before it belongs to the line end, and a last line
  // without LF counts too. Returns the number of lines.
  std::size_t kasitteleRivit(std::string_view tavut, std::size_t rivi, bool ensimmainen);

  void kirjoitaOtsake() { tulostin_->otsake(ulos); }
  void kirjoitaYhteenveto(const Yhteenveto& y) { tulostin_->yhteenveto(ulos, y); }

  std::string ulos;
  bool selityksia = false;  // an explanation, a trapped error or, with --check, a failed check

 private:
  std::unique_ptr<Tulostin> tulostin_;
  bool tarkisteet_;  // the checks are computed
  bool tarkista_;    // and a failed one makes the exit status 1
  const Aluesetukset& asetukset_;
  std::u16string rivi16_;
};

// What the worker of this thread is interpreting, for messages: "rivi 12".
std::string_view kasiteltava() noexcept;

}  // namespace kelvio
