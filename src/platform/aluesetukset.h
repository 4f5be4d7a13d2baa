// Regional settings: decimal separator, short date format and time format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kalenteri.h"

namespace kelvio {

class Aluesetukset {
 public:
  virtual ~Aluesetukset() = default;
  virtual std::u16string_view desimaalierotin() const = 0;
  // Appends the date in the short date format.
  virtual void kirjoitaPaivays(std::u16string& kohde, const Paivays& pvm) const = 0;
  // Appends the time of day in the time format.
  virtual void kirjoitaAika(std::u16string& kohde, const Kellonaika& aika) const = 0;
};

// A Windows-style date or time pattern (d, dd, ddd, dddd, M..MMMM, y, yy, yyyy,
// H, HH, h, hh, m, mm, s, ss, t, tt, 'quoted text'), read once, written often.
class Aikakaava {
 public:
  explicit Aikakaava(std::u16string_view kaava);
  void kirjoita(std::u16string& kohde, const Paivays& pvm, const Kellonaika& aika) const;

 private:
  enum class Osa : std::uint8_t {
    Teksti,
    Paiva,
    Paiva2,
    PaivanNimi,
    PaivanNimiPitka,
    Kuukausi,
    Kuukausi2,
    KuukaudenNimi,
    KuukaudenNimiPitka,
    KuukaudenNimiGenetiivi,  // MMMM after d or dd
    Vuosi1,
    Vuosi2,
    Vuosi4,
    Tunti24,
    Tunti24_2,
    Tunti12,
    Tunti12_2,
    Minuutti,
    Minuutti2,
    Sekunti,
    Sekunti2,
    Ampm1,
    Ampm
  };
  struct Pala {
    Osa osa;
    std::u16string teksti;
  };
  std::vector<Pala> palat_;
};

// Settings given as patterns: the non-Windows default, tests and command-line overrides.
class KaavaAsetukset : public Aluesetukset {
 public:
  KaavaAsetukset(std::u16string erotin, std::u16string_view paivaysKaava,
                 std::u16string_view aikaKaava);
  std::u16string_view desimaalierotin() const override { return erotin_; }
  void kirjoitaPaivays(std::u16string& kohde, const Paivays& pvm) const override;
  void kirjoitaAika(std::u16string& kohde, const Kellonaika& aika) const override;

  // Finnish: ",", "d.M.yyyy", "H.mm.ss".
  static const KaavaAsetukset& suomi();

 private:
  std::u16string erotin_;
  Aikakaava paivays_;
  Aikakaava aika_;
};

}  // namespace kelvio
