// The system as the commands see it: trapped errors go to standard error with
// the input they belong to, and are counted for the exit status. Installed
// for the life of the object.
#pragma once

#include <atomic>

#include "ajovirhe.h"
#include "jarjestelma.h"
#include "kasittelija.h"
#include "utf8.h"

namespace kelvio {

class KomentoriviAlusta final : public JarjestelmaAlusta {
 public:
  KomentoriviAlusta() : edellinen_(asetaAlusta(this)) {}
  KomentoriviAlusta(const KomentoriviAlusta&) = delete;
  KomentoriviAlusta& operator=(const KomentoriviAlusta&) = delete;
  ~KomentoriviAlusta() override { asetaAlusta(edellinen_); }

  std::atomic<int> virheita = 0;

  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override {
    ++virheita;
    std::u16string teksti = u"kelvio: ";
    utf16ksi(teksti, kasiteltava());
    teksti += u":\r\n";
    teksti += virheteksti;
    return JarjestelmaAlusta::naytaPulma(teksti, kysely);
  }

  // A log that another program holds locked is skipped, and said so.
  void liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) override {
    try {
      JarjestelmaAlusta::liitaTiedostoon(polku, teksti);
    } catch (const Ajovirhe& e) {
      if (e.numero == VIRHE_LUKITTU) {
        viesti(u"kelvio: virheloki on toisen ohjelman lukitsema; merkintä jäi kirjoittamatta");
      }
      throw;
    }
  }

 private:
  Alusta* edellinen_;
};

}  // namespace kelvio
