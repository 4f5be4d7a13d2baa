// --json: JSON Lines, one object per input, the input kept exact.
#include "koodaus.h"
#include "kuviot.h"
#include "tulostin.h"
#include "utf8.h"
#include "virhe.h"

namespace kelvio {

namespace {

// The machine form of an account or a reference as a JSON string body: the
// text without its spaces, gathered first so that it is escaped in one go.
void jsonIlmanValeja(std::string& ulos, std::u16string_view teksti, std::u16string& kooste) {
  kooste.clear();
  for (const char16_t c : teksti) {
    if (c != u' ') {
      kooste += c;
    }
  }
  lisaaJson(ulos, kooste);
}

class Json final : public Tulostin {
 public:
  void tulkinta(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    const Tulkinta& t = *r.tulkinta;
    switch (t.laji) {
      case Laji::VaaraPituus:
        ulos += ",\"kind\":\"wrong_length\",\"length\":";
        ulos += std::to_string(t.pituus);
        break;
      case Laji::TuntematonVersio: ulos += ",\"kind\":\"unknown_version\""; break;
      case Laji::Tulkinta: kentat(ulos, t, r.tarkisteet); break;
    }
    if (r.sijainti != nullptr) {
      lisat(ulos, *r.sijainti, true);
    }
    virheet(ulos);
    ulos += ",\"report\":\"";
    lisaaJson(ulos, t.raportti);
    ulos += "\"}\n";
  }

  void virhe(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    ulos += ",\"kind\":\"error\"";
    virheet(ulos);
    ulos += "}\n";
  }

  void muu(std::string& ulos, const Tietue& r, const Muu& m) override {
    if (r.syote.empty() && m.laji != MuuLaji::Qr && m.laji != MuuLaji::MuuKoodi) {
      ulos += "{\"input\":null";
      sijainti(ulos, r);
    } else {
      alku(ulos, r);
    }
    ulos += ",\"kind\":\"";
    ulos += nimi(m.laji);
    ulos += '"';
    if (m.laji == MuuLaji::Qr && m.maksu != nullptr) {
      const EpcMaksu& e = *m.maksu;
      const auto teksti = [&](std::string_view avain, std::u16string_view arvo, bool tyhjaOnNull) {
        ulos += ",\"";
        ulos += avain;
        if (tyhjaOnNull && arvo.empty()) {
          ulos += "\":null";
          return;
        }
        ulos += "\":\"";
        lisaaJson(ulos, arvo);
        ulos += '"';
      };
      ulos += ",\"version\":null";
      teksti("epc_version", e.versio, false);
      teksti("name", e.nimi, false);
      teksti("bic", e.bic, true);
      teksti("account", e.iban, false);
      ulos += ",\"amount\":";
      if (e.sentit) {
        ulos += '"';
        ulos += summaKoneelle(static_cast<double>(*e.sentit));
        ulos += '"';
      } else {
        ulos += "null";
      }
      teksti("reference", e.viite, true);
      teksti("message", e.viesti, true);
      ulos += ",\"due_date\":";
      if (e.eraPaiva) {
        ulos += '"';
        lisaaIsoPaivays(ulos, *e.eraPaiva);
        ulos += '"';
      } else {
        ulos += "null";
      }
      lisaaTarkisteet(ulos, r.tarkisteet);
      lisat(ulos, *r.sijainti, false);
      ulos += ",\"report\":\"";
    } else if (m.laji == MuuLaji::MuuKoodi) {
      ulos += ",\"report\":\"";
    } else if (m.laji == MuuLaji::EiLoytynyt) {
      ulos += '}';
      ulos += '\n';
      return;
    } else {
      ulos += ",\"reason\":\"";
    }
    lisaaJson(ulos, m.teksti);
    ulos += "\"}\n";
  }

 private:
  static void alku(std::string& ulos, const Tietue& r) {
    // Room for the echoed input at once: a long line grows the output once,
    // not by doubling, which would hold the old and the new text at once.
    ulos.reserve(ulos.size() + r.syote.size() + TIETUEEN_VARAUS);
    ulos += "{\"input\":\"";
    lisaaJson(ulos, r.syote);
    ulos += '"';
    sijainti(ulos, r);
  }

  // kelvio read: the file as given, the page, the sources and the conflict.
  static void sijainti(std::string& ulos, const Tietue& r) {
    const Sijainti* s = r.sijainti;
    if (s == nullptr) {
      return;
    }
    ulos += ",\"file\":\"";
    lisaaJsonPolku(ulos, s->tiedosto);
    ulos += "\",\"page\":";
    ulos += s->sivu > 0 ? std::to_string(s->sivu) : "null";
    ulos += ",\"sources\":[";
    const char* pilkku = "";
    for (std::size_t i = 0; i < LAHTEITA; ++i) {
      if ((s->lahteet >> i & 1U) != 0) {
        ulos += pilkku;
        ulos += '"';
        ulos += LAHTEIDEN_NIMET[i].kone;
        ulos += '"';
        pilkku = ",";
      }
    }
    ulos += "],\"conflict\":";
    ulos += s->ristiriita ? std::string_view("true") : std::string_view("false");
    ulos += ",\"conflict_fields\":[";
    for (std::size_t i = 0; i < s->erot.size(); ++i) {
      const Ero& e = s->erot[i];
      ulos += i > 0 ? ",{\"field\":\"" : "{\"field\":\"";
      ulos += MAKSUKENTTIEN_NIMET[static_cast<std::size_t>(e.kentta)];
      ulos += "\",\"values\":[";
      for (std::size_t a = 0; a < e.arvot.size(); ++a) {
        ulos += a > 0 ? ",{\"sources\":[" : "{\"sources\":[";
        for (std::size_t l = 0; l < e.arvot[a].lahteet.size(); ++l) {
          ulos += l > 0 ? ",\"" : "\"";
          lisaaJson(ulos, utf16ksi(e.arvot[a].lahteet[l]));
          ulos += '"';
        }
        ulos += "],\"value\":\"";
        lisaaJson(ulos, utf16ksi(e.arvot[a].arvo));
        ulos += "\"}";
      }
      ulos += "]}";
    }
    ulos += "],\"duplicate_of\":";
    if (s->kaksoisTiedosto.empty()) {
      ulos += "null";
    } else {
      ulos += "{\"file\":\"";
      lisaaJsonPolku(ulos, s->kaksoisTiedosto);
      ulos += "\",\"page\":";
      ulos += s->kaksoisSivu > 0 ? std::to_string(s->kaksoisSivu) : "null";
      ulos += '}';
    }
  }

  void yhteenveto(std::string& ulos, const Yhteenveto& y) override {
    Maksu m;
    m.sentit = y.sentit;
    ulos += "{\"kind\":\"summary\",\"files\":" + std::to_string(y.tiedostoja) +
            ",\"payments\":" + std::to_string(y.maksuja) + ",\"total\":\"" +
            kentanArvo(m, Maksukentta::Summa) +
            "\",\"not_found\":" + std::to_string(y.eiLoytynyt.size()) +
            ",\"unreadable\":" + std::to_string(y.lukukelvottomat.size()) +
            ",\"conflicts\":" + std::to_string(y.ristiriidat.size()) +
            ",\"duplicates\":" + std::to_string(y.kaksoismaksut.size()) + "}\n";
  }

  // kelvio read: the payment's other data, from its EPC QR code or its
  // Finvoice message; null where no copy has it.
  static void lisat(std::string& ulos, const Sijainti& s, bool nimet) {
    const auto teksti = [&](std::string_view avain, std::u16string_view arvo) {
      ulos += ",\"";
      ulos += avain;
      if (arvo.empty()) {
        ulos += "\":null";
        return;
      }
      ulos += "\":\"";
      lisaaJson(ulos, arvo);
      ulos += '"';
    };
    if (nimet) {
      teksti("name", s.epc != nullptr ? s.epc->nimi : utf16ksi(s.myyja));
      teksti("message", s.epc != nullptr ? s.epc->viesti : u"");
      teksti("epc_version", s.epc != nullptr ? s.epc->versio : u"");
    }
    teksti("invoice_number", utf16ksi(s.lasku));
    teksti("seller_id", utf16ksi(s.myyjanTunnus));
    teksti("total", utf16ksi(s.yhteensa));
  }

  void kentat(std::string& ulos, const Tulkinta& t, const Tarkisteet& tarkisteet) {
    ulos += ",\"kind\":\"interpretation\",\"version\":";
    ulos += static_cast<char>(t.versio);
    // A field whose routine trapped an error is null: it holds no value.
    const auto kentta = [&](std::string_view avain, bool virhe, auto kirjoita) {
      ulos += ",\"";
      ulos += avain;
      ulos += "\":";
      if (virhe) {
        ulos += "null";
      } else {
        kirjoita();
      }
    };
    const auto teksti = [&](std::u16string_view arvo) {
      return [this, &ulos, arvo] {
        ulos += '"';
        jsonIlmanValeja(ulos, arvo, kooste_);
        ulos += '"';
      };
    };
    kentta("account", t.virheellinen.tili, teksti(t.tili));
    kentta("reference", t.virheellinen.viite, teksti(t.viite));
    kentta("due_date", t.virheellinen.eraPaiva || !t.eraPaiva, [&] {
      ulos += '"';
      lisaaIsoPaivays(ulos, *t.eraPaiva);
      ulos += '"';
    });
    kentta("amount", t.virheellinen.summa, [&] {
      ulos += '"';
      ulos += summaKoneelle(t.sentit);
      ulos += '"';
    });
    lisaaTarkisteet(ulos, tarkisteet);
  }

  static void lisaaTarkisteet(std::string& ulos, const Tarkisteet& tarkisteet) {
    ulos += ",\"checks\":{";
    bool pilkku = false;
    for (const NimettyTarkiste& k : nimetytTarkisteet(tarkisteet)) {
      if (k.tulos) {
        // Views, so that the length of the chosen text is known beforehand.
        ulos += pilkku ? std::string_view(",\"") : std::string_view("\"");
        ulos += k.avain;
        ulos += *k.tulos ? std::string_view("\":true") : std::string_view("\":false");
        pilkku = true;
      }
    }
    ulos += '}';
  }

  static void virheet(std::string& ulos) {
    if (laukeamiset().empty()) {
      return;
    }
    ulos += ",\"errors\":[";
    bool pilkku = false;
    for (const Laukeaminen& l : laukeamiset()) {
      ulos += pilkku ? ",{\"number\":" : "{\"number\":";
      ulos += std::to_string(l.numero);
      ulos += ",\"description\":\"";
      lisaaJson(ulos, l.kuvaus);
      ulos += "\",\"line\":";
      ulos += std::to_string(l.kutsurivi);
      ulos += ",\"module\":\"";
      lisaaJson(ulos, l.moduuli);
      ulos += "\",\"routine\":\"";
      lisaaJson(ulos, l.rutiini);
      ulos += "\"}";
      pilkku = true;
    }
    ulos += ']';
  }

  std::u16string kooste_;
};

}  // namespace

extern const Tulostusmuoto JSON_LINES{
    u"--json", "JSON Lines: yksi olio kutakin syötettä kohden",
    [](const Tulostusasetukset&) -> std::unique_ptr<Tulostin> { return std::make_unique<Json>(); },
    true};

}  // namespace kelvio
