// --csv: RFC 4180 CSV in UTF-8 for accounting software, a header and one row
// per input, rows ending in CR LF.
#include "kuviot.h"
#include "tulostin.h"
#include "utf8.h"

namespace kelvio {

namespace {

// A CSV field: quoted when it holds a quote, a separator (also ";", which
// spreadsheets set to Finnish use) or a line break; quotes doubled. A text
// that a spreadsheet would take for a formula gets an apostrophe in front.
void csvKentta(std::string& ulos, std::u16string_view t, bool teksti = true) {
  // The fullwidth = + - @ too: no spreadsheet is documented to run them, none
  // to refuse them, and an apostrophe before a rare character costs nothing.
  const bool kaava = teksti && !t.empty() &&
                     std::u16string_view(u"=+-@\t\r\uFF1D\uFF0B\uFF0D\uFF20").find(t[0]) !=
                         std::u16string_view::npos;
  const bool lainaa = t.find_first_of(u"\",;\r\n") != std::u16string_view::npos;
  if (lainaa) {
    ulos += '"';
  }
  if (kaava) {
    ulos += '\'';
  }
  for (;;) {
    const std::size_t lainaus = lainaa ? t.find(u'"') : std::u16string_view::npos;
    utf8ksi(ulos, t.substr(0, lainaus));
    if (lainaus == std::u16string_view::npos) {
      break;
    }
    ulos += "\"\"";
    t.remove_prefix(lainaus + 1);
  }
  if (lainaa) {
    ulos += '"';
  }
}

class Csv final : public Tulostin {
 public:
  explicit Csv(bool tiedostot) : tiedostot_(tiedostot) {}

  void otsake(std::string& ulos) override {
    ulos +=
        "input,kind,version,account,reference,due_date,amount,"
        "iban_check,account_check,reference_check,rf_reference_check,errors";
    ulos += tiedostot_ ? ",file,page,sources,conflict,name,bic,message,reason\r\n" : "\r\n";
  }

  void muu(std::string& ulos, const Tietue& r, const Muu& m) override {
    alku(ulos, r);
    ulos += ',';
    ulos += m.laji;
    const EpcMaksu* e = m.maksu;
    ulos += ',';
    if (e != nullptr) {
      utf8ksi(ulos, e->versio);
      ulos += ',';
      csvKentta(ulos, e->iban);
      ulos += ',';
      csvKentta(ulos, e->viite);
      ulos += ',';
      if (e->eraPaiva) {
        iso_.lisaa(ulos, *e->eraPaiva);
      }
      ulos += ',';
      if (e->sentit) {
        ulos += summaKoneelle(static_cast<double>(*e->sentit));
      }
    } else {
      ulos += ",,,,";
    }
    tarkisteetJaVirheet(ulos, r.tarkisteet);
    sijainti(ulos, r);
    ulos += ',';
    if (e != nullptr) {
      csvKentta(ulos, e->nimi);
      ulos += ',';
      csvKentta(ulos, e->bic);
      ulos += ',';
      csvKentta(ulos, e->viesti);
      ulos += ',';
    } else {
      ulos += ",,,";
      if (m.laji != "other_code") {
        csvKentta(ulos, m.teksti);
      }
    }
    ulos += "\r\n";
  }

  void tulkinta(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    const Tulkinta& t = *r.tulkinta;
    switch (t.laji) {
      case Laji::VaaraPituus: ulos += ",wrong_length,,,,,"; break;
      case Laji::TuntematonVersio: ulos += ",unknown_version,,,,,"; break;
      case Laji::Tulkinta: kentat(ulos, t); break;
    }
    loppu(ulos, r);
  }

  void virhe(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    ulos += ",error,,,,,";
    loppu(ulos, r);
  }

 private:
  static void alku(std::string& ulos, const Tietue& r) {
    ulos.reserve(ulos.size() + r.syote.size() + TIETUEEN_VARAUS);  // as for JSON
    csvKentta(ulos, r.syote);
  }

  void kentat(std::string& ulos, const Tulkinta& t) {
    ulos += ",interpretation,";
    ulos += static_cast<char>(t.versio);
    ulos += ',';
    // A field whose routine trapped an error is left empty.
    const std::pair<const std::u16string&, bool> tekstit[] = {{t.tili, t.virheellinen.tili},
                                                              {t.viite, t.virheellinen.viite}};
    for (const auto& [arvo, virhe] : tekstit) {
      if (!virhe) {
        std::u16string kentta = arvo;
        std::erase(kentta, u' ');
        csvKentta(ulos, kentta);
      }
      ulos += ',';
    }
    if (t.eraPaiva && !t.virheellinen.eraPaiva) {
      iso_.lisaa(ulos, *t.eraPaiva);
    }
    ulos += ',';
    if (!t.virheellinen.summa) {
      ulos += summaKoneelle(t.sentit);
    }
  }

  void loppu(std::string& ulos, const Tietue& r) {
    tarkisteetJaVirheet(ulos, r.tarkisteet);
    if (tiedostot_) {
      sijainti(ulos, r);
      ulos += ",,,,";
    }
    ulos += "\r\n";
  }

  static void tarkisteetJaVirheet(std::string& ulos, const Tarkisteet& tarkisteet) {
    for (const NimettyTarkiste& k : nimetytTarkisteet(tarkisteet)) {
      ulos += ',';
      if (k.tulos) {
        ulos += *k.tulos ? "true" : "false";
      }
    }
    ulos += ',';
    csvKentta(ulos, virheetTekstina(), false);
  }

  // kelvio read: file, page, sources ("barcode text") and conflict.
  static void sijainti(std::string& ulos, const Tietue& r) {
    const Sijainti* s = r.sijainti;
    ulos += ',';
    csvKentta(ulos, utf16ksi(s->tiedosto));
    ulos += ',';
    if (s->sivu > 0) {
      ulos += std::to_string(s->sivu);
    }
    ulos += ',';
    const char* vali = "";
    for (std::size_t i = 0; i < std::size(LAHTEIDEN_NIMET); ++i) {
      if ((s->lahteet >> i & 1U) != 0) {
        ulos += vali;
        ulos += LAHTEIDEN_NIMET[i];
        vali = " ";
      }
    }
    ulos += s->ristiriita ? ",true" : ",false";
  }

  bool tiedostot_;

  IsoPaivays iso_;
};

}  // namespace

extern const Tulostusmuoto CSV{u"--csv",
                               "CSV (RFC 4180, UTF-8) otsikkorivein kirjanpito-ohjelmille",
                               [](const Tulostusasetukset& a) -> std::unique_ptr<Tulostin> {
                                 return std::make_unique<Csv>(a.tiedostot);
                               },
                               true};

}  // namespace kelvio
