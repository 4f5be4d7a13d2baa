// The default output: each report as the window shows it, one empty line
// between reports, and with --check a line for each failed check.
#include "koodaus.h"
#include "tulostin.h"
#include "utf8.h"

namespace kelvio {

namespace {

class Teksti final : public Tulostin {
 public:
  // kelvio read shows every failed check; elsewhere --check asks for them.
  explicit Teksti(const Tulostusasetukset& a)
      : rv_(a.rivinvaihto), tarkista_(a.tarkista || a.tiedostot) {}

  void tulkinta(std::string& ulos, const Tietue& t) override {
    alku(ulos, t);
    lisaaRaportti(ulos, t.tulkinta->raportti, rv_);
    if (t.sijainti != nullptr) {
      lisat(ulos, *t.sijainti, true);
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
    // An EPC payment's report is ours, line by line; any other text is the file's.
    if (m.maksu != nullptr) {
      lisaaRaportti(ulos, m.teksti, rv_);
    } else {
      lisaaYhdelleRiville(ulos, m.teksti);
    }
    if (t.sijainti != nullptr) {
      lisat(ulos, *t.sijainti, false);
    }
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

  void yhteenveto(std::string& ulos, const Yhteenveto& y) override {
    ulos += rv_;
    ulos += "Yhteenveto: " + std::to_string(y.tiedostoja) + " tiedostoa, " +
            std::to_string(y.maksuja) + " maksua, yhteensä " + euroina(y.sentit) +
            " (kukin kaksoismaksu kerran)";
    const std::pair<std::string_view, const std::vector<std::string>*> rivit[] = {
        {"Ei koodia", &y.eiLoytynyt},
        {"Lukukelvottomia", &y.lukukelvottomat},
        {"Ristiriitaisia", &y.ristiriidat},
        {"Kaksoismaksuja", &y.kaksoismaksut}};
    for (const auto& [nimi, tiedostot] : rivit) {
      ulos += rv_;
      ulos += nimi;
      ulos += ": " + std::to_string(tiedostot->size());
      for (std::size_t i = 0; i < tiedostot->size(); ++i) {
        ulos += i == 0 ? " (" : ", ";
        lisaaYhdelleRiville(ulos, utf16ksi((*tiedostot)[i]));
      }
      ulos += tiedostot->empty() ? "" : ")";
    }
    ulos += rv_;
  }

  // "1 234,50 €".
  static std::string euroina(std::int64_t sentit) {
    const std::string numerot = std::to_string(sentit / 100);
    std::string eurot;
    for (std::size_t i = 0; i < numerot.size(); ++i) {
      if (i > 0 && (numerot.size() - i) % 3 == 0) {
        eurot += ' ';
      }
      eurot += numerot[i];
    }
    return eurot + "," + std::to_string(100 + sentit % 100).substr(1) + " €";
  }

  // kelvio read: the payee's name from another copy, the differences
  // between the copies, a payment read before, a page with nothing printed
  // to compare the codes with.
  void lisat(std::string& ulos, const Sijainti& s, bool nimi) {
    if (nimi && (s.epc != nullptr || !s.myyja.empty())) {
      ulos += rv_;
      ulos += "Saaja = ";
      lisaaYhdelleRiville(ulos, s.epc != nullptr ? s.epc->nimi : utf16ksi(s.myyja));
      if (s.epc != nullptr && !s.epc->viesti.empty()) {
        ulos += rv_;
        ulos += "Viesti = ";
        lisaaYhdelleRiville(ulos, s.epc->viesti);
      }
    }
    for (const Ero& e : s.erot) {
      ulos += rv_;
      ulos += "Huom! ";
      std::string kentta(MAKSUKENTAT_SUOMEKSI[static_cast<std::size_t>(e.kentta)]);
      kentta[0] = static_cast<char>(kentta[0] - 'a' + 'A');
      ulos += kentta;
      ulos += " ei täsmää:";
      for (std::size_t i = 0; i < e.arvot.size(); ++i) {
        ulos += i == 0 ? " " : "; ";
        for (std::size_t l = 0; l < e.arvot[i].lahteet.size(); ++l) {
          ulos += l == 0 ? "" : l + 1 == e.arvot[i].lahteet.size() ? " ja " : ", ";
          ulos += suomeksi(e.arvot[i].lahteet[l]);
        }
        ulos += ' ';
        ulos += arvoSuomeksi(e.kentta, e.arvot[i].arvo);
      }
      ulos += '.';
    }
    if (s.ristiriita) {
      ulos += rv_;
      ulos +=
          "Lasku voi olla virheellinen tai väärennetty: älä maksa ennen kuin oikeat tiedot on "
          "varmistettu laskuttajalta.";
    }
    if (!s.kaksoisTiedosto.empty()) {
      ulos += rv_;
      ulos += "Huom! Sama maksu (tili, viite ja summa) kuin ";
      lisaaYhdelleRiville(ulos, utf16ksi(s.kaksoisTiedosto));
      if (s.kaksoisSivu > 0) {
        ulos += ", sivu " + std::to_string(s.kaksoisSivu);
      }
      ulos += ": älä maksa kahdesti.";
    }
    if (s.maksu && !s.verrattu) {
      ulos += rv_;
      ulos += "Sivulla ei ole tekstiä: tulostettuja tietoja ei voitu verrata koodeihin.";
    }
  }

  // A field's machine form as people read it: the IBAN in groups of four,
  // the amount in euros, the date day first.
  static std::string arvoSuomeksi(Maksukentta kentta, const std::string& arvo) {
    switch (kentta) {
      case Maksukentta::Tili: {
        std::string ryhmina;
        for (std::size_t i = 0; i < arvo.size(); i += 4) {
          if (i > 0) {
            ryhmina += ' ';
          }
          ryhmina.append(arvo, i, 4);
        }
        return ryhmina;
      }
      case Maksukentta::Summa: {
        const std::size_t piste = arvo.find('.');
        if (piste == std::string::npos) {
          return arvo;
        }
        return euroina(std::stoll(arvo.substr(0, piste)) * 100 +
                       std::stoll(arvo.substr(piste + 1)));
      }
      case Maksukentta::Erapaiva:
        if (arvo.size() == 10) {
          return std::to_string(std::stoi(arvo.substr(8, 2))) + "." +
                 std::to_string(std::stoi(arvo.substr(5, 2))) + "." + arvo.substr(0, 4);
        }
        return arvo;
      case Maksukentta::Viite: break;
    }
    return arvo;
  }

  // A copy's name in the report's language.
  static std::string suomeksi(std::string_view lahde) {
    for (const LahteenNimet& n : LAHTEIDEN_NIMET) {
      if (n.kone == lahde) {
        return std::string(n.suomeksi);
      }
    }
    if (lahde == "printed") {
      return "tulostettu";
    }
    if (lahde.starts_with("page ")) {
      return "sivu " + std::string(lahde.substr(5));
    }
    return std::string(lahde);
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
      if (!s->myyja.empty()) {
        paikka += u", " + utf16ksi(s->myyja);
      }
      std::string lahteet;
      for (std::size_t i = 0; i < LAHTEITA; ++i) {
        if ((s->lahteet >> i & 1U) != 0) {
          lahteet += lahteet.empty() ? " (" : ", ";
          lahteet += LAHTEIDEN_NIMET[i].suomeksi;
        }
      }
      lisaaYhdelleRiville(ulos, paikka);
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
