#include "kasittelija.h"

#include <array>
#include <optional>
#include <utility>

#include "koodaus.h"
#include "kuviot.h"
#include "utf8.h"

namespace kelvio {

namespace {

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

}  // namespace

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

void Kasittelija::kasittele(std::u16string_view syote, bool ensimmainen) {
  std::optional<std::pair<Tulkinta, Tarkisteet>> tulos =
      ansa<decltype(tulos)>(CMDTULKITSE_CLICK, [&] {
        Tulkinta t = tulkitse(syote, asetukset_);
        Tarkisteet k;
        if (tarkista_ || muoto_ != Muoto::Raportti) {
          k = tarkista(syote);
        }
        return std::make_optional(std::make_pair(std::move(t), k));
      });
  if (!tulos) {
    selityksia = true;
    return;
  }
  const auto& [t, tarkisteet] = *tulos;
  if (t.laji != Laji::Tulkinta || (tarkista_ && !tarkisteet.kaikkiKelpaavat())) {
    selityksia = true;
  }
  switch (muoto_) {
    case Muoto::Raportti: kirjoitaRaportti(t, tarkisteet, ensimmainen); break;
    case Muoto::Json: kirjoitaJsonRivi(syote, t, tarkisteet); break;
    case Muoto::Csv: kirjoitaCsvRivi(syote, t, tarkisteet); break;
  }
}

void Kasittelija::kasitteleRivit(std::string_view tavut, bool ensimmainen) {
  std::u16string rivi16;
  while (!tavut.empty()) {
    const std::size_t lf = tavut.find('\n');
    std::string_view rivi = tavut.substr(0, lf);
    tavut.remove_prefix(lf == std::string_view::npos ? tavut.size() : lf + 1);
    if (!rivi.empty() && rivi.back() == '\r' && lf != std::string_view::npos) {
      rivi.remove_suffix(1);
    }
    rivi16.clear();
    utf16ksi(rivi16, rivi);
    kasittele(rivi16, ensimmainen);
    ensimmainen = false;
  }
}

void Kasittelija::kirjoitaRaportti(const Tulkinta& t, const Tarkisteet& tarkisteet,
                                   bool ensimmainen) {
  if (!ensimmainen) {
    ulos += rv_;  // one empty line between reports
  }
  lisaaRivit(ulos, t.raportti, rv_);
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

void Kasittelija::kirjoitaJsonRivi(std::u16string_view syote, const Tulkinta& t,
                                   const Tarkisteet& tarkisteet) {
  ulos += "{\"input\":\"";
  lisaaJson(ulos, syote);
  switch (t.laji) {
    case Laji::VaaraPituus:
      ulos += "\",\"kind\":\"wrong_length\",\"length\":";
      ulos += std::to_string(t.pituus);
      ulos += ",\"report\":\"";
      break;
    case Laji::TuntematonVersio: ulos += "\",\"kind\":\"unknown_version\",\"report\":\""; break;
    case Laji::Tulkinta: {
      ulos += "\",\"kind\":\"interpretation\",\"version\":";
      ulos += static_cast<char>(t.versio);
      ulos += ",\"account\":\"";
      jsonIlmanValeja(ulos, t.tili);
      ulos += "\",\"reference\":\"";
      jsonIlmanValeja(ulos, t.viite);
      ulos += "\",\"due_date\":";
      if (t.eraPaiva) {
        ulos += '"';
        lisaaIso(*t.eraPaiva);
        ulos += '"';
      } else {
        ulos += "null";
      }
      ulos += ",\"amount\":\"";
      ulos += summaKoneelle(t.sentit);
      ulos += "\",\"checks\":{";
      bool pilkku = false;
      for (const Tarkiste& k : luettele(tarkisteet)) {
        if (k.tulos) {
          ulos += pilkku ? ",\"" : "\"";
          ulos += k.avain;
          ulos += *k.tulos ? "\":true" : "\":false";
          pilkku = true;
        }
      }
      ulos += "},\"report\":\"";
      break;
    }
  }
  lisaaJson(ulos, t.raportti);
  ulos += "\"}\n";
}

namespace {

// A CSV field: quoted when it holds a quote, a separator (also ";", which
// spreadsheets set to Finnish use) or a line break; quotes doubled.
void csvKentta(std::string& ulos, std::u16string_view t) {
  if (t.find_first_of(u"\",;\r\n") == std::u16string_view::npos) {
    utf8ksi(ulos, t);
    return;
  }
  ulos += '"';
  for (const char16_t c : t) {
    if (c == u'"') {
      ulos += '"';
    }
    utf8ksi(ulos, std::u16string_view(&c, 1));
  }
  ulos += '"';
}

}  // namespace

void Kasittelija::kirjoitaCsvOtsake() {
  ulos +=
      "input,kind,version,account,reference,due_date,amount,"
      "iban_check,account_check,reference_check,rf_reference_check\r\n";
}

void Kasittelija::kirjoitaCsvRivi(std::u16string_view syote, const Tulkinta& t,
                                  const Tarkisteet& tarkisteet) {
  csvKentta(ulos, syote);
  switch (t.laji) {
    case Laji::VaaraPituus: ulos += ",wrong_length,,,,,"; break;
    case Laji::TuntematonVersio: ulos += ",unknown_version,,,,,"; break;
    case Laji::Tulkinta: {
      ulos += ",interpretation,";
      ulos += static_cast<char>(t.versio);
      ulos += ',';
      for (std::u16string kentta : {t.tili, t.viite}) {
        std::erase(kentta, u' ');
        csvKentta(ulos, kentta);
        ulos += ',';
      }
      if (t.eraPaiva) {
        lisaaIso(*t.eraPaiva);
      }
      ulos += ',';
      ulos += summaKoneelle(t.sentit);
      break;
    }
  }
  for (const Tarkiste& k : luettele(tarkisteet)) {
    ulos += ',';
    if (k.tulos) {
      ulos += *k.tulos ? "true" : "false";
    }
  }
  ulos += "\r\n";
}

}  // namespace kelvio
