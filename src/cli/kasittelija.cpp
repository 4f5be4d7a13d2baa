#include "kasittelija.h"

#include <array>
#include <optional>
#include <utility>

#include "koodaus.h"
#include "kuviot.h"
#include "numerot.h"
#include "utf8.h"

namespace kelvio {

namespace {

thread_local std::string kohta_;

// Beyond the input's own bytes: the other fields, and the room that a
// writer reserves for the longest form of one piece (six bytes a unit).
constexpr std::size_t VARAUS = (6U << 16) + 4096;

// The machine form of an account or a reference as a JSON string body: the
// text without its spaces.
void jsonIlmanValeja(std::string& ulos, std::u16string_view teksti) {
  for (;;) {
    const std::size_t vali = teksti.find(u' ');
    lisaaJson(ulos, teksti.substr(0, vali));
    if (vali == std::u16string_view::npos) {
      return;
    }
    teksti.remove_prefix(vali + 1);
  }
}

// The checks with their names, in the order of the output.
struct Tarkiste {
  const std::optional<bool>& tulos;
  std::string_view nimi;   // the report's words
  std::string_view avain;  // the JSON key
};

std::array<Tarkiste, 4> luettele(const Tarkisteet& t) {
  return {{{t.iban, "IBAN", "iban"},
           {t.tili, "tilinumero", "account"},
           {t.viite, "viitenumero", "reference"},
           {t.rf, "RF-viite", "rf_reference"}}};
}

// The errors trapped during this input, as one CSV cell:
// "6 Overflow (euro.fe_yleisval, 2000); ...".
std::u16string virheetTekstina() {
  std::u16string t;
  for (const Laukeaminen& l : laukeamiset()) {
    if (!t.empty()) {
      t += u"; ";
    }
    lisaaLuku(t, l.numero);
    t += u' ';
    t += l.kuvaus;
    t += u" (";
    t += l.moduuli;
    t += u'.';
    t += l.rutiini;
    t += u", ";
    lisaaLuku(t, l.kutsurivi);
    t += u')';
  }
  return t;
}

}  // namespace

std::string_view kasiteltava() noexcept {
  return kohta_;
}

Kasittelija::Kasittelija(const Valinnat& valinnat, const Aluesetukset& asetukset,
                         std::string_view rivinvaihto)
    : muoto_(valinnat.muoto),
      tarkista_(valinnat.tarkista),
      asetukset_(asetukset),
      rv_(rivinvaihto),
      iso_(u"yyyy-MM-dd") {}

void Kasittelija::lisaaIso(const Paivays& pvm) {
  paivays_.clear();
  iso_.kirjoita(paivays_, pvm, Kellonaika{});
  utf8ksi(ulos, paivays_);
}

void Kasittelija::kasittele(std::u16string_view syote, std::string_view kohta, bool ensimmainen) {
  kohta_.assign(kohta);
  laukeamiset().clear();
  std::optional<std::pair<Tulkinta, Tarkisteet>> tulos =
      ansa<decltype(tulos)>(CMDTULKITSE_CLICK, [&] {
        Tulkinta t = tulkitse(syote, asetukset_);
        Tarkisteet k;
        if (tarkista_ || muoto_ != Muoto::Raportti) {
          k = tarkista(syote);
        }
        return std::make_optional(std::make_pair(std::move(t), k));
      });
  if (!tulos || !laukeamiset().empty()) {
    selityksia = true;
  }
  if (!tulos) {
    // As in the window, no report; machines still get a row for the input.
    switch (muoto_) {
      case Muoto::Raportti: break;
      case Muoto::Json: kirjoitaJsonRivi(syote, nullptr, {}); break;
      case Muoto::Csv: kirjoitaCsvRivi(syote, nullptr, {}); break;
    }
    return;
  }
  const auto& [t, tarkisteet] = *tulos;
  if (t.laji != Laji::Tulkinta || (tarkista_ && !tarkisteet.kaikkiKelpaavat())) {
    selityksia = true;
  }
  switch (muoto_) {
    case Muoto::Raportti: kirjoitaRaportti(t, tarkisteet, ensimmainen); break;
    case Muoto::Json: kirjoitaJsonRivi(syote, &t, tarkisteet); break;
    case Muoto::Csv: kirjoitaCsvRivi(syote, &t, tarkisteet); break;
  }
}

std::size_t Kasittelija::kasitteleRivit(std::string_view tavut, std::size_t rivi,
                                        bool ensimmainen) {
  std::size_t riveja = 0;
  std::string kohta;
  while (!tavut.empty()) {
    const std::size_t lf = tavut.find('\n');
    std::string_view rivinTavut = tavut.substr(0, lf);
    tavut.remove_prefix(lf == std::string_view::npos ? tavut.size() : lf + 1);
    if (!rivinTavut.empty() && rivinTavut.back() == '\r' && lf != std::string_view::npos) {
      rivinTavut.remove_suffix(1);
    }
    rivi16_.clear();
    utf16ksi(rivi16_, rivinTavut);
    kohta = "rivi " + std::to_string(rivi + riveja);
    kasittele(rivi16_, kohta, ensimmainen);
    ensimmainen = false;
    ++riveja;
  }
  return riveja;
}

void Kasittelija::kirjoitaRaportti(const Tulkinta& t, const Tarkisteet& tarkisteet,
                                   bool ensimmainen) {
  if (!ensimmainen) {
    ulos += rv_;  // one empty line between reports
  }
  lisaaRaportti(ulos, t.raportti, rv_);
  if (tarkista_) {
    // One line for each check that fails.
    for (const Tarkiste& k : luettele(tarkisteet)) {
      if (k.tulos == false) {
        ulos += rv_;
        ulos += "Tarkiste ei täsmää: ";
        ulos += k.nimi;
      }
    }
  }
  ulos += rv_;
}

void Kasittelija::kirjoitaJsonRivi(std::u16string_view syote, const Tulkinta* t,
                                   const Tarkisteet& tarkisteet) {
  // Room for the echoed input at once: a long line grows the output once, not
  // by doubling, which would hold the old and the new text at the same time.
  ulos.reserve(ulos.size() + syote.size() + VARAUS);
  ulos += "{\"input\":\"";
  lisaaJson(ulos, syote);
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
  switch (t == nullptr ? Laji::Tulkinta : t->laji) {
    case Laji::VaaraPituus:
      ulos += "\",\"kind\":\"wrong_length\",\"length\":";
      ulos += std::to_string(t->pituus);
      break;
    case Laji::TuntematonVersio: ulos += "\",\"kind\":\"unknown_version\""; break;
    case Laji::Tulkinta: {
      if (t == nullptr) {
        ulos += "\",\"kind\":\"error\"";
        break;
      }
      ulos += "\",\"kind\":\"interpretation\",\"version\":";
      ulos += static_cast<char>(t->versio);
      const auto teksti = [&](std::u16string_view arvo) {
        return [&ulos = ulos, arvo] {
          ulos += '"';
          jsonIlmanValeja(ulos, arvo);
          ulos += '"';
        };
      };
      kentta("account", t->virheellinen.tili, teksti(t->tili));
      kentta("reference", t->virheellinen.viite, teksti(t->viite));
      kentta("due_date", t->virheellinen.eraPaiva || !t->eraPaiva, [&] {
        ulos += '"';
        lisaaIso(*t->eraPaiva);
        ulos += '"';
      });
      kentta("amount", t->virheellinen.summa, [&] {
        ulos += '"';
        ulos += summaKoneelle(t->sentit);
        ulos += '"';
      });
      ulos += ",\"checks\":{";
      bool pilkku = false;
      for (const Tarkiste& k : luettele(tarkisteet)) {
        if (k.tulos) {
          ulos += pilkku ? ",\"" : "\"";
          ulos += k.avain;
          ulos += *k.tulos ? "\":true" : "\":false";
          pilkku = true;
        }
      }
      ulos += '}';
      break;
    }
  }
  if (!laukeamiset().empty()) {
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
  if (t != nullptr) {
    ulos += ",\"report\":\"";
    lisaaJson(ulos, t->raportti);
    ulos += '"';
  }
  ulos += "}\n";
}

namespace {

// A CSV field: quoted when it holds a quote, a separator (also ";", which
// spreadsheets set to Finnish use) or a line break; quotes doubled. A text
// that a spreadsheet would take for a formula gets an apostrophe in front.
void csvKentta(std::string& ulos, std::u16string_view t, bool teksti = true) {
  const bool kaava = teksti && !t.empty() &&
                     std::u16string_view(u"=+-@\t\r").find(t[0]) != std::u16string_view::npos;
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

}  // namespace

void Kasittelija::kirjoitaCsvOtsake() {
  ulos +=
      "input,kind,version,account,reference,due_date,amount,"
      "iban_check,account_check,reference_check,rf_reference_check,errors\r\n";
}

void Kasittelija::kirjoitaCsvRivi(std::u16string_view syote, const Tulkinta* t,
                                  const Tarkisteet& tarkisteet) {
  ulos.reserve(ulos.size() + syote.size() + VARAUS);  // as for JSON
  csvKentta(ulos, syote);
  switch (t == nullptr ? Laji::Tulkinta : t->laji) {
    case Laji::VaaraPituus: ulos += ",wrong_length,,,,,"; break;
    case Laji::TuntematonVersio: ulos += ",unknown_version,,,,,"; break;
    case Laji::Tulkinta: {
      if (t == nullptr) {
        ulos += ",error,,,,,";
        break;
      }
      ulos += ",interpretation,";
      ulos += static_cast<char>(t->versio);
      ulos += ',';
      // A field whose routine trapped an error is left empty.
      const std::pair<const std::u16string&, bool> tekstit[] = {{t->tili, t->virheellinen.tili},
                                                                {t->viite, t->virheellinen.viite}};
      for (const auto& [arvo, virhe] : tekstit) {
        if (!virhe) {
          std::u16string kentta = arvo;
          std::erase(kentta, u' ');
          csvKentta(ulos, kentta);
        }
        ulos += ',';
      }
      if (t->eraPaiva && !t->virheellinen.eraPaiva) {
        lisaaIso(*t->eraPaiva);
      }
      ulos += ',';
      if (!t->virheellinen.summa) {
        ulos += summaKoneelle(t->sentit);
      }
      break;
    }
  }
  for (const Tarkiste& k : luettele(tarkisteet)) {
    ulos += ',';
    if (k.tulos) {
      ulos += *k.tulos ? "true" : "false";
    }
  }
  ulos += ',';
  csvKentta(ulos, virheetTekstina(), false);
  ulos += "\r\n";
}

}  // namespace kelvio
