// kelvio read [--json | --csv | --excel] [--check] [--summary] FILE|FOLDER...:
// the payments of invoice files, one record each, every copy compared.
#include <map>
#include <tuple>

#include "kasittelija.h"
#include "komennot.h"
#include "komentorivi_alusta.h"
#include "ohjeet.h"
#include "paate.h"
#include "siirto.h"
#include "utf8.h"
#include "valitsimet.h"

#if KELVIO_LUKU
#include <thread>

#include "asettelu.h"
#include "luettavat.h"
#include "sivusaannot.h"
#endif

namespace kelvio {

#if KELVIO_LUKU

namespace {

// The exit statuses of kelvio read; the highest that applies wins.
enum Paluu : int {
  KAIKKI_HYVIN = 0,
  KOODI_VIRHEELLINEN = 1,  // a malformed code, or with --check a failed check
  EI_KOODIA = 4,           // a file without a code, or unreadable
  EPAILTAVA = 5,           // a conflict or a double payment: possibly forged
};

// What the records of the files read so far say, for duplicates and the summary.
class Kirjanpito {
 public:
  // The record of the same payment (account, reference, amount) read
  // before in another file, or none: within a file, a payment printed on
  // two pages is one invoice's.
  const std::pair<std::string, int>* aiempi(const Maksu& m, std::size_t tiedosto,
                                            const std::string& polku, int numero) {
    if (m.tili.empty() || m.viite.empty()) {
      return nullptr;
    }
    const auto avain = std::make_tuple(m.tili, m.viite, m.sentit.value_or(-1));
    const auto [kohta, uusi] = nahdyt_.try_emplace(avain, Nahty{tiedosto, {polku, numero}});
    if (uusi || kohta->second.tiedosto == tiedosto) {
      return nullptr;
    }
    return &kohta->second.paikka;
  }

 private:
  struct Nahty {
    std::size_t tiedosto;
    std::pair<std::string, int> paikka;
  };
  std::map<std::tuple<std::string, std::string, std::int64_t>, Nahty> nahdyt_;
};

void lisaaNimi(std::vector<std::string>& nimet, const std::string& polku) {
  if (nimet.empty() || nimet.back() != polku) {
    nimet.push_back(polku);
  }
}

}  // namespace

int lueKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet,
               const char* rivinvaihto) {
  KomentoriviAlusta jarjestelma;
  const Tulostusmuoto* muoto = tulostusmuodot()[0];
  Tulostusasetukset tulostus{rivinvaihto, false, true};
  bool yhteenveto = false;
  std::vector<Valitsin> taulu = {{u"--check", false,
                                  [&](auto) {
                                    tulostus.tarkista = true;
                                    return std::string();
                                  }},
                                 {u"--summary", false, [&](auto) {
                                    yhteenveto = true;
                                    return std::string();
                                  }}};
  lisaaMuotojenValitsimet(taulu, muoto);
  Komento komento;
  std::string virhe = lueValitsimet(argumentit, taulu, komento);
  if (virhe.empty() && komento.muut.empty() && !komento.ohje) {
    virhe = "anna luettavat tiedostot tai kansiot";
  }
  if (!virhe.empty()) {
    return kayttovirhe(virheet, "kelvio read", virhe);
  }
  if (komento.ohje) {
    return kirjoitaOhje(tuloste, lueOhje());
  }
  std::vector<std::string> argumenttipolut;
  for (const std::u16string_view a : komento.muut) {
    argumenttipolut.push_back(polunTavuiksi(a));
  }
  const std::vector<std::string> polut = luettavat(argumenttipolut);
  Kasittelija k(*muoto, tulostus, jarjestelma.aluesetukset());
  k.kirjoitaOtsake();
  Kirjanpito kirjanpito;
  Yhteenveto y;
  int paluu = KAIKKI_HYVIN;
  bool ensimmainen = true;
  // A person watching a long run sees how far it is.
  const bool edistyminen = polut.size() > 1 && onPaate(virheet);
  // One child more than there are cores: while one is started or reaped,
  // the others keep every core busy (bench/lue.sh, the folder).
  lueJarjestyksessa(
      polut, Rajat{}, std::max(1U, std::thread::hardware_concurrency()) + 1,
      [&](std::size_t t, Tiedostotulos&& tulos) {
        const std::string& polku = polut[t];
        ++y.tiedostoja;
        std::vector<std::vector<Koodi>> sivut;
        for (const Sivutulos& sivu : tulos.sivut) {
          sivut.push_back(kokoaSivu(sivu));
        }
        if (tulos.sivuja) {
          vertaaSivuja(sivut);
        }
        bool loytyi = false;
        for (std::size_t s = 0; s < sivut.size(); ++s) {
          const Finvoicelasku& lasku = tulos.sivut[s].lasku;
          for (const Koodi& koodi : sivut[s]) {
            const int sivu = tulos.sivuja ? static_cast<int>(s + 1) : 0;
            Sijainti paikka;
            paikka.tiedosto = polku;
            paikka.sivu = sivu;
            paikka.lahteet = koodi.lahteet;
            paikka.ristiriita = koodi.ristiriita;
            paikka.erot = koodi.erot;
            paikka.maksu = koodi.maksu.has_value();
            paikka.verrattu = koodi.verrattu;
            paikka.epc = koodi.epc ? &*koodi.epc : nullptr;
            paikka.lasku = lasku.numero;
            paikka.myyja = lasku.myyja;
            paikka.myyjanTunnus = lasku.myyjanTunnus;
            paikka.yhteensa = lasku.yhteensa;
            if (koodi.maksu) {
              ++y.maksuja;
              if (const auto* aiempi = kirjanpito.aiempi(*koodi.maksu, t, polku, sivu)) {
                paikka.kaksoisTiedosto = aiempi->first;
                paikka.kaksoisSivu = aiempi->second;
                lisaaNimi(y.kaksoismaksut, polku);
                paluu = std::max<int>(paluu, EPAILTAVA);
              } else {
                y.sentit += koodi.maksu->sentit.value_or(0);
              }
            }
            if (koodi.ristiriita) {
              lisaaNimi(y.ristiriidat, polku);
              paluu = std::max<int>(paluu, EPAILTAVA);
            }
            const std::u16string teksti = utf16ksi(koodi.teksti);
            // A Finvoice message's barcode is judged as a barcode, whatever it holds.
            const bool finvoice =
                (koodi.lahteet & (lahdeBitti(Lahde::Finvoice) | lahdeBitti(Lahde::Maksutiedot))) !=
                0;
            if (!koodi.qr && (pankkiviivakoodi(koodi.teksti) || finvoice)) {
              k.kasittele(teksti, "tiedosto " + polku, ensimmainen, &paikka);
            } else {
              k.kasitteleMuu(teksti, koodi.qr ? MuuLaji::Qr : MuuLaji::MuuKoodi, {}, paikka,
                             ensimmainen);
            }
            ensimmainen = false;
            loytyi = true;
          }
        }
        Sijainti paikka;
        paikka.tiedosto = polku;
        if (!tulos.luettu) {
          k.kasitteleMuu({}, MuuLaji::Lukukelvoton, utf16ksi(tulos.syy), paikka, ensimmainen);
          lisaaNimi(y.lukukelvottomat, polku);
          paluu = std::max<int>(paluu, EI_KOODIA);
          ensimmainen = false;
        } else if (!loytyi) {
          k.kasitteleMuu({}, MuuLaji::EiLoytynyt, {}, paikka, ensimmainen);
          lisaaNimi(y.eiLoytynyt, polku);
          paluu = std::max<int>(paluu, EI_KOODIA);
          ensimmainen = false;
        }
        kirjoita(tuloste, k.ulos);
        if (edistyminen) {
          viesti(virheet, "\r" + std::to_string(t + 1) + "/" + std::to_string(polut.size()) +
                              " tiedostoa" + (t + 1 == polut.size() ? "\n" : ""));
        }
      });
  if (yhteenveto) {
    k.kirjoitaYhteenveto(y);
  }
  kirjoita(tuloste, k.ulos);
  if (k.selityksia || jarjestelma.virheita > 0) {
    paluu = std::max<int>(paluu, KOODI_VIRHEELLINEN);
  }
  return paluu;
}

#else

int lueKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet,
               const char* /*rivinvaihto*/) {
  if (argumentit.size() == 1 && (argumentit[0] == u"--help" || argumentit[0] == u"-h")) {
    return kirjoitaOhje(tuloste, lueOhje());
  }
  viesti(virheet,
         "kelvio read: tämä käännös ei osaa lukea tiedostoja (PDF-, kuva- ja "
         "XML-kirjastot puuttuvat); käytä Linuxin kelviota\n");
  return 2;
}

#endif

}  // namespace kelvio
