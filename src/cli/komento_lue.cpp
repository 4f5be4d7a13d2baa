// kelvio read [--json | --csv] [--check] FILE...: the codes of invoice files.
#include <algorithm>
#include <map>

#include "kasittelija.h"
#include "komennot.h"
#include "komentorivi_alusta.h"
#include "ohjeet.h"
#include "siirto.h"
#include "utf8.h"
#include "valitsimet.h"

#if KELVIO_LUKU
#include "asettelu.h"
#include "sivusaannot.h"
#include "tiedosto.h"
#endif

namespace kelvio {

#if KELVIO_LUKU

int lueKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet,
               const char* rivinvaihto) {
  KomentoriviAlusta jarjestelma;
  const Tulostusmuoto* muoto = tulostusmuodot()[0];
  Tulostusasetukset tulostus{rivinvaihto, false, true};
  std::vector<Valitsin> taulu = {{u"--check", false, [&](auto) {
                                    tulostus.tarkista = true;
                                    return std::string();
                                  }}};
  lisaaMuotojenValitsimet(taulu, muoto);
  Komento komento;
  std::string virhe = lueValitsimet(argumentit, taulu, komento);
  if (virhe.empty() && komento.muut.empty() && !komento.ohje) {
    virhe = "anna luettavat tiedostot";
  }
  if (!virhe.empty()) {
    return kayttovirhe(virheet, "kelvio read", virhe);
  }
  if (komento.ohje) {
    return kirjoitaOhje(tuloste, LUE_OHJE);
  }
  Kasittelija k(*muoto, tulostus, jarjestelma.aluesetukset());
  k.kirjoitaOtsake();
  const Rajat rajat;
  bool ensimmainen = true;
  for (const std::u16string_view tiedosto : komento.muut) {
    const std::string polku = polunTavuiksi(tiedosto);
    const Tiedostotulos tulos = lueEristettyna(polku, rajat);
    Sijainti paikka{polku, 0, 0, false, {}};
    bool loytyi = false;
    for (std::size_t s = 0; s < tulos.sivut.size(); ++s) {
      for (const Koodi& koodi : kokoaSivu(tulos.sivut[s])) {
        paikka = {polku, tulos.sivuja ? static_cast<int>(s + 1) : 0, koodi.lahteet,
                  koodi.ristiriita, koodi.lasku};
        const std::u16string teksti = utf16ksi(koodi.teksti);
        if (!koodi.qr && pankkiviivakoodi(koodi.teksti)) {
          k.kasittele(teksti, "tiedosto " + polku, ensimmainen, &paikka);
        } else {
          k.kasitteleMuu(teksti, koodi.qr ? MuuLaji::Qr : MuuLaji::MuuKoodi, {}, paikka,
                         ensimmainen);
        }
        ensimmainen = false;
        loytyi = true;
      }
    }
    if (!tulos.luettu) {
      paikka = {polku, 0, 0, false, {}};
      k.kasitteleMuu({}, MuuLaji::Lukukelvoton, utf16ksi(tulos.syy), paikka, ensimmainen);
      ensimmainen = false;
    } else if (!loytyi) {
      paikka = {polku, 0, 0, false, {}};
      k.kasitteleMuu({}, MuuLaji::EiLoytynyt, {}, paikka, ensimmainen);
      ensimmainen = false;
    }
    kirjoita(tuloste, k.ulos);
  }
  kirjoita(tuloste, k.ulos);
  return k.selityksia || jarjestelma.virheita > 0 ? 1 : 0;
}

#else

int lueKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet,
               const char* /*rivinvaihto*/) {
  if (argumentit.size() == 1 && (argumentit[0] == u"--help" || argumentit[0] == u"-h")) {
    return kirjoitaOhje(tuloste, LUE_OHJE);
  }
  viesti(virheet,
         "kelvio read: tämä käännös ei osaa lukea tiedostoja (PDF-, kuva- ja "
         "XML-kirjastot puuttuvat); käytä Linuxin kelviota\n");
  return 2;
}

#endif

}  // namespace kelvio
