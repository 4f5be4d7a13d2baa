// The default output: each report as the window shows it, one empty line
// between reports, and with --check a line for each failed check.
#include "koodaus.h"
#include "tulostin.h"

namespace kelvio {

namespace {

class Teksti final : public Tulostin {
 public:
  explicit Teksti(const Tulostusasetukset& a) : rv_(a.rivinvaihto), tarkista_(a.tarkista) {}

  void tulkinta(std::string& ulos, const Tietue& t) override {
    if (!t.ensimmainen) {
      ulos += rv_;
    }
    lisaaRaportti(ulos, t.tulkinta->raportti, rv_);
    if (tarkista_) {
      for (const NimettyTarkiste& k : nimetytTarkisteet(t.tarkisteet)) {
        if (k.tulos == false) {
          ulos += rv_;
          ulos += "Tarkiste ei täsmää: ";
          ulos += k.nimi;
        }
      }
    }
    ulos += rv_;
  }

  // As in the window: the error was shown, and there is no report.
  void virhe(std::string& ulos, const Tietue& t) override {
    (void)ulos;
    (void)t;
  }

 private:
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
