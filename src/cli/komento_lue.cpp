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
#include "tiedosto.h"
#endif

namespace kelvio {

#if KELVIO_LUKU

namespace {

// One distinct code of a page, with every source it was found by.
struct Koodi {
  std::string teksti;
  bool qr;
  unsigned lahteet = 0;
  double y = 0;
};

bool pankkiviivakoodi(std::string_view t) {
  return t.size() == VIIVAKOODIN_PITUUS &&
         std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         asettelu(static_cast<char16_t>(t[0])) != nullptr;
}

// The codes of a page, one per distinct text, top to bottom. A bank barcode
// symbol and the digits printed on the same page that do not match each
// other are a conflict, on both sides.
std::vector<Koodi> kokoa(const std::vector<Loyto>& loydot, std::vector<bool>& ristiriidat) {
  std::vector<Koodi> koodit;
  for (const Loyto& l : loydot) {
    const bool qr = l.lahde == Lahde::Qr;
    auto k = std::find_if(koodit.begin(), koodit.end(),
                          [&](const Koodi& k) { return k.qr == qr && k.teksti == l.teksti; });
    if (k == koodit.end()) {
      koodit.push_back({l.teksti, qr, 0, l.y});
      k = koodit.end() - 1;
    }
    k->lahteet |= 1U << static_cast<unsigned>(l.lahde);
    k->y = std::min(k->y, l.y);
  }
  std::stable_sort(koodit.begin(), koodit.end(),
                   [](const Koodi& a, const Koodi& b) { return a.y < b.y; });
  constexpr unsigned SYMBOLI = 1U << static_cast<unsigned>(Lahde::Viivakoodi);
  constexpr unsigned TEKSTI = 1U << static_cast<unsigned>(Lahde::Teksti);
  const auto vain = [&](unsigned lahde) {
    return std::any_of(koodit.begin(), koodit.end(), [&](const Koodi& k) {
      return pankkiviivakoodi(k.teksti) && (k.lahteet & (SYMBOLI | TEKSTI)) == lahde;
    });
  };
  const bool ristiriita = vain(SYMBOLI) && vain(TEKSTI);
  ristiriidat.clear();
  for (const Koodi& k : koodit) {
    const unsigned l = k.lahteet & (SYMBOLI | TEKSTI);
    ristiriidat.push_back(ristiriita && pankkiviivakoodi(k.teksti) &&
                          (l == SYMBOLI || l == TEKSTI));
  }
  return koodit;
}

}  // namespace

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
  std::vector<bool> ristiriidat;
  for (const std::u16string_view tiedosto : komento.muut) {
    const std::string polku = polunTavuiksi(tiedosto);
    const Tiedostotulos tulos = lueEristettyna(polku, rajat);
    Sijainti paikka{polku, 0, 0, false};
    bool loytyi = false;
    for (std::size_t s = 0; s < tulos.sivut.size(); ++s) {
      const std::vector<Koodi> koodit = kokoa(tulos.sivut[s], ristiriidat);
      for (std::size_t n = 0; n < koodit.size(); ++n) {
        const Koodi& koodi = koodit[n];
        paikka = {polku, tulos.sivuja ? static_cast<int>(s + 1) : 0, koodi.lahteet, ristiriidat[n]};
        const std::u16string teksti = utf16ksi(koodi.teksti);
        if (!koodi.qr && pankkiviivakoodi(koodi.teksti)) {
          k.kasittele(teksti, "tiedosto " + polku, ensimmainen, &paikka);
        } else {
          k.kasitteleMuu(teksti, koodi.qr ? "qr" : "other_code", {}, paikka, ensimmainen);
        }
        ensimmainen = false;
        loytyi = true;
      }
    }
    if (!tulos.luettu) {
      paikka = {polku, 0, 0, false};
      k.kasitteleMuu({}, "unreadable", utf16ksi(tulos.syy), paikka, ensimmainen);
      ensimmainen = false;
    } else if (!loytyi) {
      paikka = {polku, 0, 0, false};
      k.kasitteleMuu({}, "not_found", {}, paikka, ensimmainen);
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
