#include "komentorivi.h"

#include "tuote.h"

#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "aluesetukset.h"
#include "jarjestelma.h"
#include "kasittelija.h"
#include "tulkinta.h"
#include "utf8.h"
#include "valinnat.h"
#include "virhe.h"

namespace kelvio {

namespace {

constexpr std::string_view OHJE =
    "Käyttö: kelvio [VALITSIMET] [--] [VIIVAKOODI...]\n"
    "\n"
    "Tulkitsee suomalaisia pankkiviivakoodeja (versiot 2, 4 ja 5) kuten Kelviomaro.\n"
    "Ilman viivakoodiargumentteja lukee vakiosyötteestä yhden viivakoodin riviltä\n"
    "(UTF-8; rivinvaihto LF tai CR LF).\n"
    "\n"
    "Valitsimet:\n"
    "  --json                      JSON Lines: yksi olio kutakin syötettä kohden\n"
    "  --csv                       CSV (RFC 4180, UTF-8) otsikkorivein kirjanpito-ohjelmille\n"
    "  --check                     tarkistaa tarkisteet (IBAN, tilinumero, viite, RF-viite):\n"
    "                              raportin perään rivi kustakin täsmäämättömästä,\n"
    "                              ja paluuarvo 1 jos jokin ei täsmää\n"
    "  --decimal-separator EROTIN  summan desimaalierotin (oletus: aluekohtaiset asetukset)\n"
    "  --date-format KAAVA         eräpäivän muoto, esim. d.M.yyyy tai yyyy-MM-dd\n"
    "                              (d dd M MM yy yyyy ja 'lainattu teksti')\n"
    "  --help                      tämä ohje\n"
    "  --version                   ohjelman versio\n"
    "  --                          loput argumentit ovat viivakoodeja\n"
    "\n"
    "Paluuarvo: 0 kun jokainen syöte tulkittiin; 1 kun jokin syöte sai selityksen\n"
    "(väärä pituus tai tuntematon esittämistapa), tulkinnassa sattui virhe tai\n"
    "--checkin kanssa jokin tarkiste ei täsmännyt;\n"
    "2 virheellisestä käytöstä.\n"
    "\n"
    "Virheet kirjataan tiedostoon virhelog.txt ohjelman kansioon tai kansioon, jonka\n"
    "ohjelman vieressä olevan tiedoston ainehake.oma ensimmäinen rivi nimeää.\n";

constexpr std::string_view VERSIO = "kelvio " KELVIO_VERSIO "\n";

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

// Counts the errors shown, so that they make the exit status 1.
class KomentoriviAlusta final : public JarjestelmaAlusta {
 public:
  std::atomic<int> virheita = 0;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override {
    ++virheita;
    return JarjestelmaAlusta::naytaPulma(virheteksti, kysely);
  }
};

// Reads whole lines in batches of about ERA bytes; a line split by a read is
// carried over to the next batch.
class Syotelukija {
 public:
  explicit Syotelukija(std::FILE* f) : f_(f), lohko_(1U << 16) {}

  // False when the input has ended and nothing is left.
  bool tayta(std::string& era) {
    era.swap(kesken_);
    kesken_.clear();
    // Only the new bytes are searched, so a line of any length reads in linear time.
    bool rivinvaihto = era.find('\n') != std::string::npos;
    while (!loppu_ && (era.size() < ERA || !rivinvaihto)) {
      const std::size_t n = std::fread(lohko_.data(), 1, lohko_.size(), f_);
      if (n == 0) {
        loppu_ = true;
        break;
      }
      rivinvaihto = rivinvaihto || std::memchr(lohko_.data(), '\n', n) != nullptr;
      era.append(lohko_.data(), n);
    }
    if (!loppu_) {
      const std::size_t lf = era.rfind('\n');
      kesken_.assign(era, lf + 1);
      era.resize(lf + 1);
    }
    return !era.empty();
  }

 private:
  static constexpr std::size_t ERA = 1U << 18;
  std::FILE* f_;
  std::vector<char> lohko_;
  std::string kesken_;
  bool loppu_ = false;
};

void kirjoita(std::FILE* f, std::string& ulos) {
  std::fwrite(ulos.data(), 1, ulos.size(), f);
  ulos.clear();
}

// Standard input on both cores: two batches at a time, written in input
// order (bench/run.sh measures it against one core). When a second thread
// cannot be had, the same worker takes both batches in turn.
void lueRivit(Syotelukija& lukija, std::FILE* tuloste, Kasittelija& a, Kasittelija& b) {
  std::string eraA;
  std::string eraB;
  bool ensimmainen = true;
  while (lukija.tayta(eraA)) {
    const bool toinen = lukija.tayta(eraB);
    std::thread apuri;
    std::exception_ptr apurinVirhe;
    if (toinen) {
      try {
        apuri = std::thread([&] {
          try {
            b.kasitteleRivit(eraB, false);
          } catch (...) {
            apurinVirhe = std::current_exception();
          }
        });
      } catch (const std::system_error&) {  // NOLINT(bugprone-empty-catch): one worker goes on
      }
    }
    a.kasitteleRivit(eraA, ensimmainen);
    if (apuri.joinable()) {
      apuri.join();
    } else if (toinen) {
      b.kasitteleRivit(eraB, false);
    }
    if (apurinVirhe) {
      std::rethrow_exception(apurinVirhe);
    }
    kirjoita(tuloste, a.ulos);
    kirjoita(tuloste, b.ulos);
    ensimmainen = false;
    if (!toinen) {
      break;
    }
  }
}

void viesti(std::FILE* f, std::string_view teksti) {
  std::fwrite(teksti.data(), 1, teksti.size(), f);
  std::fflush(f);
}

int kayttovirhe(std::FILE* virheet, const std::string& teksti) {
  viesti(virheet, "kelvio: " + teksti + "\nOhje: kelvio --help\n");
  return 2;
}

}  // namespace

int komentorivi(const std::vector<std::u16string>& argumentit, std::FILE* syote, std::FILE* tuloste,
                std::FILE* virheet, const char* rivinvaihto) {
  KomentoriviAlusta jarjestelma;
  Alusta* edellinen = asetaAlusta(&jarjestelma);
  struct Palauta {
    Alusta* a;
    ~Palauta() { asetaAlusta(a); }
  } palauta{edellinen};

  Valinnat v;
  if (const std::string virhe = lueValinnat(argumentit, v); !virhe.empty()) {
    return kayttovirhe(virheet, virhe);
  }
  OhitetutAsetukset asetukset(jarjestelma.aluesetukset());
  asetukset.erotin = v.erotin;
  if (v.paivaysKaava) {
    asetukset.kaava.emplace(*v.paivaysKaava);
  }
  if (v.ohje) {
    viesti(tuloste, OHJE);
    return 0;
  }
  if (v.versio) {
    viesti(tuloste, VERSIO);
    return 0;
  }

  Kasittelija k(v, asetukset, rivinvaihto);
  if (v.muoto == Muoto::Csv) {
    k.kirjoitaCsvOtsake();
  }
  bool ensimmainen = true;
  bool selityksia = false;
  if (v.koodit.empty()) {
    Syotelukija lukija(syote);
    Kasittelija b(v, asetukset, rivinvaihto);
    lueRivit(lukija, tuloste, k, b);
    selityksia = b.selityksia;
  } else {
    for (const std::u16string_view koodi : v.koodit) {
      k.kasittele(koodi, ensimmainen);
      ensimmainen = false;
      if (k.ulos.size() >= (1U << 16)) {
        kirjoita(tuloste, k.ulos);
      }
    }
  }
  kirjoita(tuloste, k.ulos);
  selityksia = selityksia || k.selityksia;
  std::fflush(tuloste);
  if (std::ferror(tuloste) != 0) {
    viesti(virheet, "kelvio: tulosteen kirjoitus epäonnistui\n");
    return 2;
  }
  return selityksia || jarjestelma.virheita > 0 ? 1 : 0;
}

}  // namespace kelvio
