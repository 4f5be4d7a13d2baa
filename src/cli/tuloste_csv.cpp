// --csv: RFC 4180 CSV in UTF-8 for accounting software, a header and one row
// per input, rows ending in CR LF. The same writer makes --excel's dialect.
#include "csv.h"

#include <span>
#include "kuviot.h"
#include "merkit.h"
#include "utf8.h"

namespace kelvio {

namespace {

class Csv final : public Tulostin {
 public:
  Csv(const CsvMurre& murre, bool tiedostot)
      : m_(murre), tiedostot_(tiedostot), paivays_(m_.excel ? u"d.M.yyyy" : u"yyyy-MM-dd") {}

  void otsake(std::string& ulos) override {
    if (m_.excel) {
      ulos += "\xEF\xBB\xBF";  // without it Excel takes UTF-8 for the ANSI code page
    }
    lisaa(ulos,
          "input,kind,version,account,reference,due_date,amount,"
          "iban_check,account_check,reference_check,rf_reference_check,errors");
    lisaa(ulos, tiedostot_ ? ",file,page,sources,conflict,name,bic,message,reason,conflict_fields,"
                             "duplicate_of,duplicate_of_page,invoice_number,seller_id,total,"
                             "epc_version\r\n"
                           : "\r\n");
  }

  void tulkinta(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    const Tulkinta& t = *r.tulkinta;
    switch (t.laji) {
      case Laji::VaaraPituus: lisaa(ulos, ",wrong_length,,,,,"); break;
      case Laji::TuntematonVersio: lisaa(ulos, ",unknown_version,,,,,"); break;
      case Laji::Tulkinta: kentat(ulos, t); break;
    }
    loppu(ulos, r);
  }

  void virhe(std::string& ulos, const Tietue& r) override {
    alku(ulos, r);
    lisaa(ulos, ",error,,,,,");
    loppu(ulos, r);
  }

  void muu(std::string& ulos, const Tietue& r, const Muu& m) override {
    alku(ulos, r);
    ulos += m_.erotin;
    ulos += nimi(m.laji);
    const EpcMaksu* e = m.maksu;
    ulos += m_.erotin;
    if (e != nullptr) {
      ulos += m_.erotin;  // the version is the barcode's; the EPC version comes last
      kentta(ulos, e->iban);
      ulos += m_.erotin;
      kentta(ulos, e->viite);
      ulos += m_.erotin;
      if (e->eraPaiva) {
        paiva(ulos, *e->eraPaiva);
      }
      ulos += m_.erotin;
      if (e->sentit) {
        summa(ulos, static_cast<double>(*e->sentit));
      }
    } else {
      lisaa(ulos, ",,,,");
    }
    tarkisteetJaVirheet(ulos, r.tarkisteet);
    sijainti(ulos, r);
    ulos += m_.erotin;
    if (e != nullptr) {
      for (const std::u16string* t : {&e->nimi, &e->bic, &e->viesti}) {
        kentta(ulos, *t);
        ulos += m_.erotin;
      }
    } else {
      lisaa(ulos, ",,,");
      if (m.laji != MuuLaji::MuuKoodi) {
        kentta(ulos, m.teksti);
      }
    }
    lisat(ulos, *r.sijainti, e);
    ulos += "\r\n";
  }

 private:
  // Commas of a fixed piece become the dialect's separator.
  void lisaa(std::string& ulos, std::string_view pala) const {
    for (const char c : pala) {
      ulos += c == ',' ? m_.erotin : c;
    }
  }

  // A field: quoted when it holds a quote, a separator (also ";" in plain
  // CSV, which spreadsheets set to Finnish use) or a line break; quotes
  // doubled. A text that a spreadsheet would take for a formula gets an
  // apostrophe in front; so do the fullwidth = + - @: no spreadsheet is
  // documented to run them, none to refuse them, and an apostrophe before a
  // rare character costs nothing. In the Excel dialect a string of digits is
  // written as the text formula ="0123", which keeps its zeros and all its
  // digits where Excel would make a number of it.
  void kentta(std::string& ulos, std::u16string_view t, bool teksti = true) const {
    if (m_.excel && teksti && numeroita(t)) {
      ulos += "\"=\"\"";
      utf8ksi(ulos, t);
      ulos += "\"\"\"";
      return;
    }
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

  void summa(std::string& ulos, double sentit) const {
    std::string s = summaKoneelle(sentit);
    if (m_.excel) {
      s[s.find('.')] = ',';
    }
    ulos += s;
  }

  void paiva(std::string& ulos, const Paivays& p) {
    teksti_.clear();
    paivays_.kirjoita(teksti_, p, Kellonaika{});
    utf8ksi(ulos, teksti_);
  }

  void alku(std::string& ulos, const Tietue& r) const {
    ulos.reserve(ulos.size() + r.syote.size() + TIETUEEN_VARAUS);  // as for JSON
    kentta(ulos, r.syote);
  }

  void kentat(std::string& ulos, const Tulkinta& t) {
    ulos += m_.erotin;
    ulos += "interpretation";
    ulos += m_.erotin;
    ulos += static_cast<char>(t.versio);
    ulos += m_.erotin;
    // A field whose routine trapped an error is left empty.
    const std::pair<const std::u16string&, bool> tekstit[] = {{t.tili, t.virheellinen.tili},
                                                              {t.viite, t.virheellinen.viite}};
    for (const auto& [arvo, virhe] : tekstit) {
      if (!virhe) {
        std::u16string k = arvo;
        std::erase(k, u' ');
        kentta(ulos, k);
      }
      ulos += m_.erotin;
    }
    if (t.eraPaiva && !t.virheellinen.eraPaiva) {
      paiva(ulos, *t.eraPaiva);
    }
    ulos += m_.erotin;
    if (!t.virheellinen.summa) {
      summa(ulos, t.sentit);
    }
  }

  void loppu(std::string& ulos, const Tietue& r) {
    tarkisteetJaVirheet(ulos, r.tarkisteet);
    if (tiedostot_) {
      sijainti(ulos, r);
      const Sijainti& s = *r.sijainti;
      const EpcMaksu* e = s.epc;
      ulos += m_.erotin;
      kentta(ulos, e != nullptr ? e->nimi : utf16ksi(s.myyja));
      ulos += m_.erotin;
      if (e != nullptr) {
        kentta(ulos, e->bic);
      }
      ulos += m_.erotin;
      if (e != nullptr) {
        kentta(ulos, e->viesti);
      }
      ulos += m_.erotin;
      lisat(ulos, s, e);
    }
    ulos += "\r\n";
  }

  // kelvio read: the fields that differ between copies, the record of the
  // same payment read before, a Finvoice message's data, the EPC version.
  void lisat(std::string& ulos, const Sijainti& s, const EpcMaksu* e) const {
    ulos += m_.erotin;
    std::u16string kentat;
    for (const Ero& ero : s.erot) {
      if (!kentat.empty()) {
        kentat += u' ';
      }
      kentat += utf16ksi(MAKSUKENTTIEN_NIMET[static_cast<std::size_t>(ero.kentta)]);
    }
    kentta(ulos, kentat);
    ulos += m_.erotin;
    kentta(ulos, utf16ksi(s.kaksoisTiedosto));
    ulos += m_.erotin;
    if (s.kaksoisSivu > 0) {
      ulos += std::to_string(s.kaksoisSivu);
    }
    for (const std::string_view t : {s.lasku, s.myyjanTunnus}) {
      ulos += m_.erotin;
      kentta(ulos, utf16ksi(t));
    }
    ulos += m_.erotin;
    kentta(ulos, utf16ksi(s.yhteensa), false);
    ulos += m_.erotin;
    if (e != nullptr) {
      kentta(ulos, e->versio);
    }
  }

  void tarkisteetJaVirheet(std::string& ulos, const Tarkisteet& tarkisteet) const {
    const auto kaikki = nimetytTarkisteet(tarkisteet);
    for (const NimettyTarkiste& k : std::span(kaikki).first(4)) {
      ulos += m_.erotin;
      if (k.tulos) {
        ulos += *k.tulos ? "true" : "false";
      }
    }
    ulos += m_.erotin;
    kentta(ulos, virheetTekstina(), false);
  }

  // kelvio read: file, page, sources ("barcode text") and conflict.
  void sijainti(std::string& ulos, const Tietue& r) const {
    const Sijainti* s = r.sijainti;
    ulos += m_.erotin;
    kentta(ulos, utf16ksi(s->tiedosto));
    ulos += m_.erotin;
    if (s->sivu > 0) {
      ulos += std::to_string(s->sivu);
    }
    ulos += m_.erotin;
    const char* vali = "";
    for (std::size_t i = 0; i < LAHTEITA; ++i) {
      if ((s->lahteet >> i & 1U) != 0) {
        ulos += vali;
        ulos += LAHTEIDEN_NIMET[i].kone;
        vali = " ";
      }
    }
    ulos += m_.erotin;
    ulos += s->ristiriita ? "true" : "false";
  }

  CsvMurre m_;
  bool tiedostot_;
  Aikakaava paivays_;
  std::u16string teksti_;
};

}  // namespace

std::unique_ptr<Tulostin> luoCsv(const CsvMurre& murre, bool tiedostot) {
  return std::make_unique<Csv>(murre, tiedostot);
}

extern const Tulostusmuoto CSV{u"--csv",
                               "CSV (RFC 4180, UTF-8) otsikkorivein kirjanpito-ohjelmille",
                               luoMurteella<',', false>, true};

}  // namespace kelvio
