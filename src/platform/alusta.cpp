#include "alusta.h"

#include "tuote.h"

#include "ajovirhe.h"
#include "koodisivu.h"

namespace kelvio {

namespace {

// In place until a program installs its own: Finnish settings, no user
// interface, no files. Benchmarks and the bare core run on it.
class HiljainenAlusta final : public Alusta {
 public:
  const Aluesetukset& aluesetukset() override { return KaavaAsetukset::suomi(); }
  Hetki nyt() override { return {}; }
  void viesti(std::u16string_view /*teksti*/) override {}
  void nollaaHiiri() override {}
  bool naytaPulma(std::u16string_view /*virheteksti*/, std::u16string_view /*kysely*/) override {
    return false;
  }
  std::u16string sovelluksenNimi() override { return u"" KELVIO_NIMI; }
  std::u16string ohjelmanNimi() override { return u"kelvio"; }
  std::u16string ohjelmakansio() override { return u"."; }
  std::u16string ymparisto(std::u16string_view /*nimi*/) override { return {}; }
  char16_t erotin() override { return u'/'; }
  std::u16string lueEnsimmainenRivi(std::u16string_view /*polku*/) override {
    nosta(VIRHE_EI_TIEDOSTOA);
  }
  bool loytyykoMerkinta(std::u16string_view /*kuvio*/) override { return false; }
  void asetaNykyhakemisto(std::u16string_view /*kansio*/) override { nosta(VIRHE_EI_POLKUA); }
  std::u16string nykyhakemisto() override { return u"."; }
  void liitaTiedostoon(std::u16string_view /*polku*/, std::u16string_view /*teksti*/) override {
    nosta(VIRHE_TIEDOSTO);
  }
  std::uint8_t ansiKoodi(char16_t merkki) override { return windows1252(merkki); }
};

HiljainenAlusta hiljainen;
Alusta* nykyinen = &hiljainen;

}  // namespace

Alusta& alusta() {
  return *nykyinen;
}

Alusta* asetaAlusta(Alusta* uusi) noexcept {
  Alusta* vanha = nykyinen;
  nykyinen = uusi != nullptr ? uusi : &hiljainen;
  return vanha;
}

}  // namespace kelvio
