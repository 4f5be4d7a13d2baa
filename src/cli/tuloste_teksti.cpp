// The default output: each report as the window shows it, one empty line
// between reports, and with --check a line for each failed check.
#include "koodaus.h"
#include "tulostin.h"
#include "utf8.h"

namespace kelvio {

namespace {

class Teksti final : public Tulostin {
 public:
  explicit Teksti(const Tulostusasetukset& a) : rv_(a.rivinvaihto), tarkista_(a.tarkista) {}

  void tulkinta(std::string& ulos, const Tietue& t) override {
    alku(ulos, t);
    lisaaRaportti(ulos, t.tulkinta->raportti, rv_);
    if (t.sijainti != nullptr && t.sijainti->ristiriita) {
      ulos += rv_;
      ulos +=
          "Huom! Sivun viivakoodi ja siihen tulostetut numerot eroavat: lasku voi olla "
          "virheellinen tai väärennetty.";
    }
    tarkisteet(ulos, t.tarkisteet);
    ulos += rv_;
  }

  // As in the window: the error was shown, and there is no report.
  void virhe(std::string& ulos, const Tietue& t) override {
    (void)ulos;
    (void)t;
  }

  void muu(std::string& ulos, const Tietue& t, const Muu& m) override {
    alku(ulos, t);
    if (m.laji == MuuLaji::EiLoytynyt) {
      ulos += "Tiedostosta ei löytynyt pankkiviivakoodia, QR-koodia eikä virtuaaliviivakoodia.";
    } else if (m.laji == MuuLaji::Lukukelvoton) {
      ulos += "Tiedostoa ei voi lukea: ";
    } else if (m.laji == MuuLaji::MuuKoodi) {
      ulos += "Muu koodi, ei maksun tietoja: ";
    }
    lisaaRaportti(ulos, m.teksti, rv_);
    tarkisteet(ulos, t.tarkisteet);
    ulos += rv_;
  }

 private:
  // With --check, a line for each check that fails.
  void tarkisteet(std::string& ulos, const Tarkisteet& tarkisteet) {
    if (!tarkista_) {
      return;
    }
    for (const NimettyTarkiste& k : nimetytTarkisteet(tarkisteet)) {
      if (k.tulos == false) {
        ulos += rv_;
        ulos += "Tarkiste ei täsmää: ";
        ulos += k.nimi;
      }
    }
  }

  // One empty line between records; with kelvio read, a line that says where.
  void alku(std::string& ulos, const Tietue& t) {
    if (!t.ensimmainen) {
      ulos += rv_;
    }
    if (const Sijainti* s = t.sijainti) {
      std::u16string paikka = utf16ksi(s->tiedosto);
      if (s->sivu > 0) {
        paikka += u", sivu " + utf16ksi(std::to_string(s->sivu));
      }
      if (!s->lasku.empty()) {
        paikka += u", lasku " + utf16ksi(s->lasku);
      }
      std::string lahteet;
      for (std::size_t i = 0; i < LAHTEITA; ++i) {
        if ((s->lahteet >> i & 1U) != 0) {
          lahteet += lahteet.empty() ? " (" : ", ";
          lahteet += LAHTEIDEN_NIMET[i].suomeksi;
        }
      }
      lisaaRaportti(ulos, paikka, rv_);
      ulos += lahteet.empty() ? "" : lahteet + ")";
      ulos += ':';
      ulos += rv_;
    }
  }

  std::string rv_;
  bool tarkista_;
};

}  // namespace

extern const Tulostusmuoto TEKSTI{u"", "",
                                  [](const Tulostusasetukset& a) -> std::unique_ptr<Tulostin> {
                                    return std::make_unique<Teksti>(a);
                                  },
                                  false};

}  // namespace kelvio
