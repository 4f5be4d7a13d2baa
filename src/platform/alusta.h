// Everything the core needs of the system comes through this interface.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "aluesetukset.h"

namespace kelvio {

struct Hetki {
  Paivays paivays;
  Kellonaika aika;
};

class Alusta {
 public:
  virtual ~Alusta() = default;

  // Regional settings and clock.
  virtual const Aluesetukset& aluesetukset() = 0;
  virtual Hetki nyt() = 0;

  // User interface.
  virtual void viesti(std::u16string_view teksti) = 0;  // modal, OK only
  virtual void nollaaHiiri() = 0;
  // Shows the error window modally; false when it cannot be shown.
  virtual bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) = 0;

  // The application object.
  virtual std::u16string sovelluksenNimi() = 0;
  virtual std::u16string ohjelmanNimi() = 0;  // file name without extension
  virtual std::u16string ohjelmakansio() = 0;

  // Environment, files and folders. Failures throw Ajovirhe.
  virtual std::u16string ymparisto(std::u16string_view nimi) = 0;
  virtual char16_t erotin() = 0;  // path separator
  // The first line of an 8-bit text file: up to the first CR.
  virtual std::u16string lueEnsimmainenRivi(std::u16string_view polku) = 0;
  // True when the pattern (folder + separator + "*.*") matches an entry.
  virtual bool loytyykoMerkinta(std::u16string_view kuvio) = 0;
  virtual void asetaNykyhakemisto(std::u16string_view kansio) = 0;
  virtual std::u16string nykyhakemisto() = 0;
  // Appends text as 8-bit text, creating the file when missing.
  virtual void liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) = 0;

  // The 8-bit code of a character in the system's ANSI code page.
  virtual std::uint8_t ansiKoodi(char16_t merkki) = 0;
};

Alusta& alusta();
// Installs the platform (tests install fakes); returns the one it replaces.
Alusta* asetaAlusta(Alusta* uusi) noexcept;

}  // namespace kelvio
