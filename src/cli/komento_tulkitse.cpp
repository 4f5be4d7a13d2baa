// kelvio [--json | --csv] [--check] [--decimal-separator S] [--date-format P] [--] [BARCODE...]
#include <algorithm>
#include <optional>

#include "komennot.h"
#include "komentorivi_alusta.h"
#include "ohjeet.h"
#include "siirto.h"
#include "syotelukija.h"
#include "utf8.h"
#include "valitsimet.h"

namespace kelvio {

namespace {

// Settings of the system, with what the command line overrides.
class OhitetutAsetukset final : public Aluesetukset {
 public:
  explicit OhitetutAsetukset(const Aluesetukset& pohja) : pohja_(pohja) {}
  std::optional<std::u16string> erotin;
  std::optional<Aikakaava> kaava;

  std::u16string_view desimaalierotin() const override {
    return erotin ? std::u16string_view(*erotin) : pohja_.desimaalierotin();
  }
  void kirjoitaPaivays(std::u16string& kohde, const Paivays& pvm) const override {
    if (kaava) {
      kaava->kirjoita(kohde, pvm, Kellonaika{});
    } else {
      pohja_.kirjoitaPaivays(kohde, pvm);
    }
  }
  void kirjoitaAika(std::u16string& kohde, const Kellonaika& aika) const override {
    pohja_.kirjoitaAika(kohde, aika);
  }

 private:
  const Aluesetukset& pohja_;
};

}  // namespace

int tulkitseKomento(std::span<const std::u16string> argumentit, std::FILE* syote,
                    std::FILE* tuloste, std::FILE* virheet, const char* rivinvaihto) {
  KomentoriviAlusta jarjestelma;
  OhitetutAsetukset asetukset(jarjestelma.aluesetukset());
  const Tulostusmuoto* muoto = tulostusmuodot()[0];
  Tulostusasetukset tulostus{rivinvaihto, false};
  bool versio = false;
  std::size_t kaavanPituus = 0;
  std::vector<Valitsin> taulu = {
      {u"--check", false,
       [&](auto) {
         tulostus.tarkista = true;
         return std::string();
       }},
      {u"--version", false,
       [&](auto) {
         versio = true;
         return std::string();
       }},
      {u"--decimal-separator", true,
       [&](std::u16string_view a) {
         asetukset.erotin = std::u16string(a);
         return a.empty() ? "desimaalierotin ei voi olla tyhjä" : std::string();
       }},
      {u"--date-format", true,
       [&](std::u16string_view a) {
         kaavanPituus = a.size();
         asetukset.kaava.emplace(a);
         return a.empty() ? "päivämäärän muoto ei voi olla tyhjä" : std::string();
       }},
  };
  lisaaMuotojenValitsimet(taulu, muoto);
  Komento komento;
  if (const std::string virhe = lueValitsimet(argumentit, taulu, komento); !virhe.empty()) {
    return kayttovirhe(virheet, "kelvio", virhe);
  }
  if (komento.ohje || versio) {
    std::string ulos = komento.ohje ? kelvioOhje() : std::string(VERSIO);
    kirjoita(tuloste, ulos);
    return 0;
  }

  Kasittelija k(*muoto, tulostus, asetukset);
  k.kirjoitaOtsake();
  bool selityksia = false;
  if (komento.muut.empty()) {
    Syotelukija lukija(syote);
    // The first batch is bounded by what a long date pattern makes of each line.
    lukija.enintaanRiveja =
        std::clamp<std::size_t>((4U << 20) / (1024 + 8 * kaavanPituus), 1, 4096);
    Kasittelija b(*muoto, tulostus, asetukset);
    kirjoita(tuloste, k.ulos);  // the CSV header, also for no input
    lueRivit(lukija, tuloste, k, b);
    selityksia = b.selityksia;
  } else {
    for (std::size_t i = 0; i < komento.muut.size(); ++i) {
      k.kasittele(komento.muut[i], "argumentti " + std::to_string(i + 1), i == 0);
      if (k.ulos.size() >= (1U << 16)) {
        kirjoita(tuloste, k.ulos);
      }
    }
  }
  kirjoita(tuloste, k.ulos);
  return selityksia || k.selityksia || jarjestelma.virheita > 0 ? 1 : 0;
}

}  // namespace kelvio
