#include "cli/komentorivi.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "barcode/tulkinta.h"
#include "cli/json.h"
#include "errors/virhe.h"
#include "formatting/aluesetukset.h"
#include "formatting/kuviot.h"
#include "platform/jarjestelma.h"
#include "platform/utf8.h"

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
    "  --decimal-separator EROTIN  summan desimaalierotin (oletus: aluekohtaiset asetukset)\n"
    "  --date-format KAAVA         eräpäivän muoto, esim. d.M.yyyy tai yyyy-MM-dd\n"
    "                              (d dd M MM yy yyyy ja 'lainattu teksti')\n"
    "  --help                      tämä ohje\n"
    "  --version                   ohjelman versio\n"
    "  --                          loput argumentit ovat viivakoodeja\n"
    "\n"
    "Paluuarvo: 0 kun jokainen syöte tulkittiin; 1 kun jokin syöte sai selityksen\n"
    "(väärä pituus tai tuntematon esittämistapa) tai tulkinnassa sattui virhe;\n"
    "2 virheellisestä käytöstä.\n"
    "\n"
    "Virheet kirjataan tiedostoon virhelog.txt ohjelman kansioon tai kansioon, jonka\n"
    "ohjelman vieressä olevan tiedoston ainehake.oma ensimmäinen rivi nimeää.\n";

constexpr std::string_view VERSIO = "kelvio 1.00\n";

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
  int virheita = 0;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override {
    ++virheita;
    return JarjestelmaAlusta::naytaPulma(virheteksti, kysely);
  }
};

class Tuloste {
 public:
  explicit Tuloste(std::FILE* f) : f_(f) { puskuri.reserve(KOKO + 4096); }
  Tuloste(const Tuloste&) = delete;
  Tuloste& operator=(const Tuloste&) = delete;
  ~Tuloste() { tyhjenna(); }
  std::string puskuri;
  void ehkaTyhjenna() {
    if (puskuri.size() >= KOKO) {
      tyhjenna();
    }
  }
  void tyhjenna() {
    if (!puskuri.empty()) {
      std::fwrite(puskuri.data(), 1, puskuri.size(), f_);
      puskuri.clear();
    }
    std::fflush(f_);
  }

 private:
  static constexpr std::size_t KOKO = 1U << 20;
  std::FILE* f_;
};

struct Valinnat {
  bool json = false;
  bool ohje = false;
  bool versio = false;
  std::vector<std::u16string_view> koodit;
};

class Ajo {
 public:
  Ajo(const Valinnat& v, const Aluesetukset& asetukset, std::FILE* tuloste, const char* rivinvaihto)
      : valinnat_(v), asetukset_(asetukset), tuloste_(tuloste), rv_(rivinvaihto) {}

  void kasittele(std::u16string_view syote) {
    const bool valmis = ansa<bool>(CMDTULKITSE_CLICK, [&] {
      tulkitse(syote, asetukset_, t_);
      return true;
    });
    if (!valmis) {
      selityksia_ = true;
      return;
    }
    if (t_.laji != Laji::Tulkinta) {
      selityksia_ = true;
    }
    if (valinnat_.json) {
      kirjoitaJson(syote);
    } else {
      kirjoitaRaportti();
    }
    tuloste_.ehkaTyhjenna();
  }

  [[nodiscard]] bool selityksia() const { return selityksia_; }
  void lopeta() { tuloste_.tyhjenna(); }

 private:
  void kirjoitaRaportti() {
    std::string& o = tuloste_.puskuri;
    if (!ensimmainen_) {
      o += rv_;
    }
    ensimmainen_ = false;
    // CR LF of the report becomes the native line end.
    std::u16string_view r = t_.raportti;
    for (;;) {
      const std::size_t kohta = r.find(u"\r\n");
      if (kohta == std::u16string_view::npos) {
        utf8ksi(o, r);
        break;
      }
      utf8ksi(o, r.substr(0, kohta));
      o += rv_;
      r.remove_prefix(kohta + 2);
    }
    o += rv_;
  }

  static void ilmanValeja(std::u16string& kohde, std::u16string_view teksti) {
    kohde.clear();
    for (const char16_t c : teksti) {
      if (c != u' ') {
        kohde.push_back(c);
      }
    }
  }

  void kirjoitaJson(std::u16string_view syote) {
    std::string& o = tuloste_.puskuri;
    o += "{\"input\":";
    lisaaJsonMerkkijono(o, syote);
    switch (t_.laji) {
      case Laji::VaaraPituus:
        o += ",\"kind\":\"wrong_length\",\"length\":";
        o += std::to_string(t_.pituus);
        break;
      case Laji::TuntematonVersio: o += ",\"kind\":\"unknown_version\""; break;
      case Laji::Tulkinta: {
        o += ",\"kind\":\"interpretation\",\"version\":";
        o.push_back(static_cast<char>(t_.versio));
        o += ",\"account\":";
        ilmanValeja(apu_, t_.tili);
        lisaaJsonMerkkijono(o, apu_);
        o += ",\"reference\":";
        ilmanValeja(apu_, t_.viite);
        lisaaJsonMerkkijono(o, apu_);
        o += ",\"due_date\":";
        if (t_.onEraPaiva) {
          apu_.clear();
          eraPaivaIso(apu_);
          o.push_back('"');
          utf8ksi(o, apu_);
          o.push_back('"');
        } else {
          o += "null";
        }
        o += ",\"amount\":\"";
        apu_.clear();
        kirjoitaSummaKoneelle(apu_, t_.sentit);
        utf8ksi(o, apu_);
        o += "\"";
        break;
      }
    }
    o += ",\"report\":";
    lisaaJsonMerkkijono(o, t_.raportti);
    o += "}\n";
  }

  void eraPaivaIso(std::u16string& kohde) const {
    static const Aikakaava ISO(u"yyyy-MM-dd");
    ISO.kirjoita(kohde, t_.eraPaiva, Kellonaika{});
  }

  const Valinnat& valinnat_;
  const Aluesetukset& asetukset_;
  Tuloste tuloste_;
  const char* rv_;
  Tulkinta t_;
  std::u16string apu_;
  bool ensimmainen_ = true;
  bool selityksia_ = false;
};

void lueRivit(std::FILE* syote, Ajo& ajo) {
  std::string varasto;
  std::u16string rivi;
  std::vector<char> puskuri(1U << 20);
  auto kasitteleRivi = [&](std::string_view tavut) {
    if (!tavut.empty() && tavut.back() == '\r') {
      tavut.remove_suffix(1);
    }
    rivi.clear();
    utf16ksi(rivi, tavut);
    ajo.kasittele(rivi);
  };
  for (;;) {
    const std::size_t n = std::fread(puskuri.data(), 1, puskuri.size(), syote);
    if (n == 0) {
      break;
    }
    std::string_view lohko(puskuri.data(), n);
    // Whole lines straight from the read buffer; only a split line is copied.
    for (;;) {
      const std::size_t lf = lohko.find('\n');
      if (lf == std::string_view::npos) {
        varasto.append(lohko);
        break;
      }
      if (varasto.empty()) {
        kasitteleRivi(lohko.substr(0, lf));
      } else {
        varasto.append(lohko.substr(0, lf));
        kasitteleRivi(varasto);
        varasto.clear();
      }
      lohko.remove_prefix(lf + 1);
    }
  }
  if (!varasto.empty()) {
    kasitteleRivi(varasto);
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
  OhitetutAsetukset asetukset(jarjestelma.aluesetukset());
  bool valitsimia = true;
  for (std::size_t i = 0; i < argumentit.size(); ++i) {
    const std::u16string_view a = argumentit[i];
    if (!valitsimia || a.empty() || a[0] != u'-') {
      v.koodit.push_back(a);
      continue;
    }
    if (a == u"--") {
      valitsimia = false;
      continue;
    }
    std::u16string_view nimi = a;
    std::optional<std::u16string_view> arvo;
    if (const std::size_t yhtasuuri = a.find(u'=');
        a.substr(0, 2) == u"--" && yhtasuuri != std::u16string_view::npos) {
      nimi = a.substr(0, yhtasuuri);
      arvo = a.substr(yhtasuuri + 1);
    }
    const bool tarvitseeArvon = nimi == u"--decimal-separator" || nimi == u"--date-format";
    if (tarvitseeArvon && !arvo) {
      if (i + 1 >= argumentit.size()) {
        return kayttovirhe(virheet, "valitsin " + utf8ksi(nimi) + " tarvitsee arvon");
      }
      arvo = argumentit[++i];
    } else if (!tarvitseeArvon && arvo) {
      return kayttovirhe(virheet, "valitsin " + utf8ksi(nimi) + " ei ota arvoa");
    }
    if (nimi == u"--json") {
      v.json = true;
    } else if (nimi == u"--help" || nimi == u"-h") {
      v.ohje = true;
    } else if (nimi == u"--version") {
      v.versio = true;
    } else if (nimi == u"--decimal-separator") {
      if (arvo->empty()) {
        return kayttovirhe(virheet, "desimaalierotin ei voi olla tyhjä");
      }
      asetukset.erotin = std::u16string(*arvo);
    } else if (nimi == u"--date-format") {
      if (arvo->empty()) {
        return kayttovirhe(virheet, "päivämäärän muoto ei voi olla tyhjä");
      }
      asetukset.kaava.emplace(*arvo);
    } else {
      return kayttovirhe(virheet, "tuntematon valitsin " + utf8ksi(a));
    }
  }
  if (v.ohje) {
    viesti(tuloste, OHJE);
    return 0;
  }
  if (v.versio) {
    viesti(tuloste, VERSIO);
    return 0;
  }

  Ajo ajo(v, asetukset, tuloste, rivinvaihto);
  if (v.koodit.empty()) {
    lueRivit(syote, ajo);
  } else {
    for (const std::u16string_view koodi : v.koodit) {
      ajo.kasittele(koodi);
    }
  }
  ajo.lopeta();
  if (std::ferror(tuloste) != 0) {
    viesti(virheet, "kelvio: tulosteen kirjoitus epäonnistui\n");
    return 2;
  }
  return ajo.selityksia() || jarjestelma.virheita > 0 ? 1 : 0;
}

}  // namespace kelvio
