#include "komentorivi.h"

#include "tuote.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <poll.h>
#endif

#include "aluesetukset.h"
#include "jarjestelma.h"
#include "kasittelija.h"
#include "tee.h"
#include "tulkinta.h"
#include "utf8.h"
#include "valinnat.h"
#include "virhe.h"

namespace kelvio {

namespace {

constexpr std::string_view OHJE =
    "Käyttö: kelvio [VALITSIMET] [--] [VIIVAKOODI...]\n"
    "        kelvio make --iban IBAN --reference VIITE --amount SUMMA [--due PVM] [--svg "
    "TIEDOSTO]\n"
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
    "--checkin kanssa jokin tarkiste ei täsmännyt; 2 virheellisestä käytöstä;\n"
    "3 kun syötteen luku tai tulosteen kirjoitus epäonnistui.\n"
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

// Counts the errors shown, so that they make the exit status 1, and names the
// input they belong to.
class KomentoriviAlusta final : public JarjestelmaAlusta {
 public:
  std::atomic<int> virheita = 0;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override {
    ++virheita;
    std::u16string teksti = u"kelvio: ";
    utf16ksi(teksti, kasiteltava());
    teksti += u":\r\n";
    teksti += virheteksti;
    return JarjestelmaAlusta::naytaPulma(teksti, kysely);
  }
};

// Reading the input or writing the output failed: exit status 3.
struct Siirtovirhe {
  std::string viesti;
};

std::string jarjestelmanSyy() {
  return std::strerror(errno);
}

// Waits until a non-blocking input has something to read (or has ended).
bool odotaSyotetta(std::FILE* f) {
#ifdef _WIN32
  (void)f;
  return false;
#else
  pollfd p{fileno(f), POLLIN, 0};
  return poll(&p, 1, -1) >= 0 || errno == EINTR;
#endif
}

// Reads whole lines in batches of about ERA bytes and at most enintaanRiveja
// lines; a line split by a read is carried over to the next batch.
class Syotelukija {
 public:
  explicit Syotelukija(std::FILE* f) : f_(f), lohko_(1U << 16) {}

  std::size_t enintaanRiveja = 4096;  // set by what the lines make (see lueRivit)

  // False when the input has ended and nothing is left. A read error throws.
  bool tayta(std::string& era) {
    era.swap(kesken_);
    kesken_.clear();
    // Only the new bytes are searched, so a line of any length reads in linear time.
    std::size_t rivinvaihtoja = static_cast<std::size_t>(std::count(era.begin(), era.end(), '\n'));
    while (!loppu_ && (era.size() < ERA || rivinvaihtoja == 0) && rivinvaihtoja < enintaanRiveja) {
      const std::size_t n = std::fread(lohko_.data(), 1, lohko_.size(), f_);
      if (n == 0) {
        if (std::ferror(f_) == 0) {
          loppu_ = true;
          break;
        }
        // A non-blocking input with nothing yet is waited on, not taken as its end.
        if ((errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) && odotaSyotetta(f_)) {
          std::clearerr(f_);
          continue;
        }
        throw Siirtovirhe{"syötteen luku epäonnistui: " + jarjestelmanSyy()};
      }
      rivinvaihtoja += static_cast<std::size_t>(std::count(lohko_.data(), lohko_.data() + n, '\n'));
      era.append(lohko_.data(), n);
    }
    // Whole lines, at most enintaanRiveja of them; the rest waits for the next batch.
    std::size_t loppu = era.size();
    if (!loppu_ || rivinvaihtoja > enintaanRiveja) {
      std::size_t kohta = 0;
      for (std::size_t k = 0; k < std::min(rivinvaihtoja, enintaanRiveja); ++k) {
        kohta = era.find('\n', kohta) + 1;
      }
      loppu = kohta;
    }
    kesken_.assign(era, loppu);
    era.resize(loppu);
    rivi_ += ensimmainen_;
    ensimmainen_ = static_cast<std::size_t>(std::count(era.begin(), era.end(), '\n'));
    if (!era.empty() && era.back() != '\n') {
      ++ensimmainen_;
    }
    return !era.empty();
  }

  // The number of the first line of the batch that tayta gave last.
  [[nodiscard]] std::size_t rivi() const { return rivi_; }

 private:
  static constexpr std::size_t ERA = 1U << 18;
  std::FILE* f_;
  std::vector<char> lohko_;
  std::string kesken_;
  bool loppu_ = false;
  std::size_t rivi_ = 1;
  std::size_t ensimmainen_ = 0;  // lines of the batch before
};

void kirjoita(std::FILE* f, std::string& ulos) {
  const bool ok = std::fwrite(ulos.data(), 1, ulos.size(), f) == ulos.size() && std::fflush(f) == 0;
  ulos.clear();
  if (!ok) {
    throw Siirtovirhe{"tulosteen kirjoitus epäonnistui: " + jarjestelmanSyy()};
  }
}

// Standard input on both cores: two batches at a time, written in input
// order (bench/run.sh measures it against one core). When a second thread
// cannot be had, the same worker takes both batches in turn. The lines of a
// batch are as many as make about VASTAUS bytes of output, so that memory
// stays flat whatever each line makes.
void lueRivit(Syotelukija& lukija, std::FILE* tuloste, Kasittelija& a, Kasittelija& b) {
  constexpr std::size_t VASTAUS = 4U << 20;
  std::string eraA;
  std::string eraB;
  bool ensimmainen = true;
  while (lukija.tayta(eraA)) {
    const std::size_t riviA = lukija.rivi();
    const bool toinen = lukija.tayta(eraB);
    const std::size_t riviB = lukija.rivi();
    std::thread apuri;
    std::exception_ptr apurinVirhe;
    std::size_t riveja = 0;
    if (toinen) {
      try {
        apuri = std::thread([&] {
          try {
            riveja += b.kasitteleRivit(eraB, riviB, false);
          } catch (...) {
            apurinVirhe = std::current_exception();
          }
        });
      } catch (const std::system_error&) {  // NOLINT(bugprone-empty-catch): one worker goes on
      }
    }
    const std::size_t rivejaA = a.kasitteleRivit(eraA, riviA, ensimmainen);
    if (apuri.joinable()) {
      apuri.join();
    } else if (toinen) {
      riveja += b.kasitteleRivit(eraB, riviB, false);
    }
    if (apurinVirhe) {
      std::rethrow_exception(apurinVirhe);
    }
    riveja += rivejaA;
    const std::size_t tavuja = a.ulos.size() + b.ulos.size();
    lukija.enintaanRiveja =
        std::clamp<std::size_t>(VASTAUS / std::max<std::size_t>(1, tavuja / riveja), 1, 1U << 16);
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

int ajaKomentorivi(const std::vector<std::u16string>& argumentit, std::FILE* syote,
                   std::FILE* tuloste, std::FILE* virheet, const char* rivinvaihto,
                   KomentoriviAlusta& jarjestelma) {
  Valinnat v;
  if (const std::string virhe = lueValinnat(argumentit, v); !virhe.empty()) {
    return kayttovirhe(virheet, virhe);
  }
  OhitetutAsetukset asetukset(jarjestelma.aluesetukset());
  asetukset.erotin = v.erotin;
  if (v.paivaysKaava) {
    asetukset.kaava.emplace(*v.paivaysKaava);
  }
  std::string ulos;
  if (v.ohje || v.versio) {
    ulos = v.ohje ? OHJE : VERSIO;
    kirjoita(tuloste, ulos);
    return 0;
  }

  Kasittelija k(v, asetukset, rivinvaihto);
  if (v.muoto == Muoto::Csv) {
    k.kirjoitaCsvOtsake();
  }
  bool selityksia = false;
  if (v.koodit.empty()) {
    Syotelukija lukija(syote);
    Kasittelija b(v, asetukset, rivinvaihto);
    kirjoita(tuloste, k.ulos);  // the CSV header, also for no input
    lueRivit(lukija, tuloste, k, b);
    selityksia = b.selityksia;
  } else {
    bool ensimmainen = true;
    for (std::size_t i = 0; i < v.koodit.size(); ++i) {
      k.kasittele(v.koodit[i], "argumentti " + std::to_string(i + 1), ensimmainen);
      ensimmainen = false;
      if (k.ulos.size() >= (1U << 16)) {
        kirjoita(tuloste, k.ulos);
      }
    }
  }
  kirjoita(tuloste, k.ulos);
  selityksia = selityksia || k.selityksia;
  return selityksia || jarjestelma.virheita > 0 ? 1 : 0;
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
  try {
    if (!argumentit.empty() && argumentit[0] == u"make") {
      return teeKomento({argumentit.begin() + 1, argumentit.end()}, tuloste, virheet);
    }
    return ajaKomentorivi(argumentit, syote, tuloste, virheet, rivinvaihto, jarjestelma);
  } catch (const Siirtovirhe& e) {
    viesti(virheet, "kelvio: " + e.viesti + "\n");
    return 3;
  } catch (const std::bad_alloc&) {
    viesti(virheet, "kelvio: muisti loppui (virhe 7, Out of memory)\n");
    return 1;
  }
}

}  // namespace kelvio
