// The platform as the operating system gives it: Windows or POSIX.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "alusta.h"

namespace kelvio {

// The log's lock is waited for at most this long: 100 tries 20 ms apart.
inline constexpr int LUKON_YRITYKSET = 100;
inline constexpr int LUKON_VALI_MS = 20;

// Appends the bytes before the first carriage return to rivi: true when one
// ended the line. The first-line readers of both systems share it.
bool lisaaRivinAlku(std::string& rivi, std::string_view lohko);

// The user interface here is standard error: programs with windows override it.
class JarjestelmaAlusta : public Alusta {
 public:
  JarjestelmaAlusta();
  ~JarjestelmaAlusta() override;
  JarjestelmaAlusta(const JarjestelmaAlusta&) = delete;
  JarjestelmaAlusta& operator=(const JarjestelmaAlusta&) = delete;

  const Aluesetukset& aluesetukset() override;
  Hetki nyt() override;
  void viesti(std::u16string_view teksti) override;
  void nollaaHiiri() override;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override;
  std::u16string sovelluksenNimi() override;
  std::u16string ohjelmanNimi() override;
  std::u16string ohjelmakansio() override;
  std::u16string ymparisto(std::u16string_view nimi) override;
  char16_t erotin() override;
  std::u16string lueEnsimmainenRivi(std::u16string_view polku) override;
  bool loytyykoMerkinta(std::u16string_view kuvio) override;
  void asetaNykyhakemisto(std::u16string_view kansio) override;
  std::u16string nykyhakemisto() override;
  void liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) override;
  std::uint8_t ansiKoodi(char16_t merkki) override;

 private:
  std::unique_ptr<Aluesetukset> asetukset_;
};

}  // namespace kelvio
