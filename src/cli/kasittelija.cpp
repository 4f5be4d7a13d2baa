#include "cli/kasittelija.h"

#include <charconv>
#include <cstring>

#include "cli/koodaus.h"
#include "errors/virhe.h"
#include "formatting/kuviot.h"
#include "formatting/numerot.h"
#include "platform/utf8.h"

namespace kelvio {

namespace {

char* lisaa(char* p, std::string_view s) {
  std::memcpy(p, s.data(), s.size());
  return p + s.size();
}

// The text without its spaces, the machine form of an account or a
// reference, in tila: the fields of a barcode are short.
template <std::size_t N>
std::u16string_view ilmanValeja(std::u16string_view teksti, char16_t (&tila)[N]) {
  std::size_t n = 0;
  for (const char16_t c : teksti.substr(0, N)) {
    tila[n] = c;
    n += c != u' ' ? 1 : 0;
  }
  return {tila, n};
}

// The due date as ISO 8601, yyyy-MM-dd.
char* isoPaivays(char* p, const Paivays& pvm) {
  if (pvm.vuosi >= 1000 && pvm.vuosi <= 9999) {
    p = std::to_chars(p, p + 4, pvm.vuosi).ptr;
  } else {
    std::u16string vuosi;
    lisaaLuku(vuosi, pvm.vuosi, 4);
    p = kirjoitaUtf8(p, vuosi);
  }
  const int osat[] = {pvm.kuukausi, pvm.paiva};
  for (const int osa : osat) {
    *p++ = '-';
    *p++ = static_cast<char>('0' + osa / 10);
    *p++ = static_cast<char>('0' + osa % 10);
  }
  return p;
}

}  // namespace

Kasittelija::Kasittelija(const Valinnat& valinnat, const Aluesetukset& asetukset,
                         std::string_view rivinvaihto)
    : muoto_(valinnat.muoto),
      tarkista_(valinnat.tarkista),
      asetukset_(asetukset),
      rv_(rivinvaihto) {
  t_.kokoaRaportti = false;
  for (std::size_t i = 0; i < VAKIOITA; ++i) {
    const std::u16string_view v = vakioTeksti(static_cast<Vakio>(i));
    std::string& rivit = rivitVakiot_[i];
    rivit.resize(v.size() * VARA);
    rivit.resize(static_cast<std::size_t>(kirjoitaRivit(rivit.data(), v, rv_) - rivit.data()));
    std::string& json = jsonVakiot_[i];
    json.resize(v.size() * VARA);
    json.resize(static_cast<std::size_t>(kirjoitaJson(json.data(), v) - json.data()));
  }
}

std::size_t Kasittelija::raportinPituus() const {
  std::size_t n = 0;
  for (std::size_t i = 0; i < t_.paloja; ++i) {
    n += t_.palat[i].teksti.size();
  }
  return n;
}

char* Kasittelija::kirjoitaPalat(char* p, bool json) const {
  for (std::size_t i = 0; i < t_.paloja; ++i) {
    const Pala& pala = t_.palat[i];
    if (pala.vakio != Vakio::Ei) {
      const auto v = static_cast<std::size_t>(pala.vakio);
      p = lisaa(p, json ? jsonVakiot_[v] : rivitVakiot_[v]);
    } else {
      p = json ? kirjoitaJson(p, pala.teksti) : kirjoitaRivit(p, pala.teksti, rv_);
    }
  }
  return p;
}

void Kasittelija::kasittele(std::u16string_view syote, bool ensimmainen) {
  const bool valmis = ansa<bool>(CMDTULKITSE_CLICK, [&] {
    tulkitse(syote, asetukset_, t_);
    return true;
  });
  if (!valmis) {
    selityksia = true;
    return;
  }
  if (t_.laji != Laji::Tulkinta) {
    selityksia = true;
  }
  tarkisteet_ = Tarkisteet{};
  if (tarkista_ || muoto_ != Muoto::Raportti) {
    tarkisteet_ = tarkista(syote);
    if (tarkista_ && !tarkisteet_.kaikkiKelpaavat()) {
      selityksia = true;
    }
  }
  switch (muoto_) {
    case Muoto::Raportti: kirjoitaRaportti(ensimmainen); break;
    case Muoto::Json: kirjoitaJsonRivi(syote); break;
    case Muoto::Csv: kirjoitaCsvRivi(syote); break;
  }
}

void Kasittelija::kasitteleRivit(std::string_view tavut, bool ensimmainen) {
  while (!tavut.empty()) {
    const std::size_t lf = tavut.find('\n');
    std::string_view rivi = tavut.substr(0, lf);
    tavut.remove_prefix(lf == std::string_view::npos ? tavut.size() : lf + 1);
    if (!rivi.empty() && rivi.back() == '\r' && lf != std::string_view::npos) {
      rivi.remove_suffix(1);
    }
    rivi_.clear();
    utf16ksi(rivi_, rivi);
    kasittele(rivi_, ensimmainen);
    ensimmainen = false;
  }
}

void Kasittelija::kirjoitaRaportti(bool ensimmainen) {
  char* p = ulos.varaa(raportinPituus() * VARA + 8 * rv_.size() + 160);
  if (!ensimmainen) {
    p = lisaa(p, rv_);  // one empty line between reports
  }
  p = kirjoitaPalat(p, false);
  if (tarkista_) {
    // One line for each check that fails.
    const std::pair<const std::optional<bool>&, std::string_view> tarkisteet[] = {
        {tarkisteet_.iban, "IBAN"},
        {tarkisteet_.tili, "tilinumero"},
        {tarkisteet_.viite, "viitenumero"},
        {tarkisteet_.rf, "RF-viite"}};
    for (const auto& [tulos, nimi] : tarkisteet) {
      if (tulos == false) {
        p = lisaa(p, rv_);
        p = lisaa(p, "Tarkiste ei täsmää: ");
        p = lisaa(p, nimi);
      }
    }
  }
  p = lisaa(p, rv_);
  ulos.kaytetty(p);
}

void Kasittelija::kirjoitaJsonRivi(std::u16string_view syote) {
  const std::size_t tarve =
      (syote.size() + raportinPituus() + t_.tili.size() + t_.viite.size() + t_.summaTeksti.size()) *
          VARA +
      256;
  char* p = ulos.varaa(tarve);
  p = lisaa(p, "{\"input\":\"");
  p = kirjoitaJson(p, syote);
  switch (t_.laji) {
    case Laji::VaaraPituus: {
      p = lisaa(p, "\",\"kind\":\"wrong_length\",\"length\":");
      p = std::to_chars(p, p + 24, t_.pituus).ptr;
      p = lisaa(p, ",\"report\":\"");
      break;
    }
    case Laji::TuntematonVersio:
      p = lisaa(p, "\",\"kind\":\"unknown_version\",\"report\":\"");
      break;
    case Laji::Tulkinta: {
      p = lisaa(p, "\",\"kind\":\"interpretation\",\"version\":");
      *p++ = static_cast<char>(t_.versio);
      p = lisaa(p, ",\"account\":\"");
      char16_t tila[64];
      p = kirjoitaJson(p, ilmanValeja(t_.tili, tila));
      p = lisaa(p, "\",\"reference\":\"");
      p = kirjoitaJson(p, ilmanValeja(t_.viite, tila));
      p = lisaa(p, "\",\"due_date\":");
      if (t_.onEraPaiva) {
        *p++ = '"';
        p = isoPaivays(p, t_.eraPaiva);
        *p++ = '"';
      } else {
        p = lisaa(p, "null");
      }
      p = lisaa(p, ",\"amount\":\"");
      p = kirjoitaSummaKoneelle(p, t_.sentit);
      p = lisaa(p, "\",\"checks\":{");
      const std::pair<const std::optional<bool>&, std::string_view> tarkisteet[] = {
          {tarkisteet_.iban, "\"iban\":"},
          {tarkisteet_.tili, "\"account\":"},
          {tarkisteet_.viite, "\"reference\":"},
          {tarkisteet_.rf, "\"rf_reference\":"}};
      bool pilkku = false;
      for (const auto& [tulos, avain] : tarkisteet) {
        if (tulos) {
          p = lisaa(p, pilkku ? "," : "");
          p = lisaa(p, avain);
          p = lisaa(p, *tulos ? "true" : "false");
          pilkku = true;
        }
      }
      p = lisaa(p, "},\"report\":\"");
      break;
    }
  }
  p = kirjoitaPalat(p, true);
  p = lisaa(p, "\"}\n");
  ulos.kaytetty(p);
}

namespace {

// A CSV field: quoted when it holds a quote, a separator (also ";", which
// spreadsheets set to Finnish use) or a line break; quotes doubled.
char* csvKentta(char* p, std::u16string_view t) {
  if (t.find_first_of(u"\",;\r\n") == std::u16string_view::npos) {
    return kirjoitaUtf8(p, t);
  }
  *p++ = '"';
  for (;;) {
    const std::size_t lainaus = t.find(u'"');
    p = kirjoitaUtf8(p, t.substr(0, lainaus));
    if (lainaus == std::u16string_view::npos) {
      break;
    }
    *p++ = '"';
    *p++ = '"';
    t.remove_prefix(lainaus + 1);
  }
  *p++ = '"';
  return p;
}

char* csvTotuus(char* p, const std::optional<bool>& arvo) {
  *p++ = ',';
  return arvo ? lisaa(p, *arvo ? "true" : "false") : p;
}

}  // namespace

void Kasittelija::kirjoitaCsvOtsake() {
  ulos.lisaa(
      "input,kind,version,account,reference,due_date,amount,"
      "iban_check,account_check,reference_check,rf_reference_check\r\n");
}

void Kasittelija::kirjoitaCsvRivi(std::u16string_view syote) {
  char* p = ulos.varaa(
      (syote.size() + t_.tili.size() + t_.viite.size() + t_.summaTeksti.size()) * VARA + 256);
  p = csvKentta(p, syote);
  switch (t_.laji) {
    case Laji::VaaraPituus: p = lisaa(p, ",wrong_length,,,,,"); break;
    case Laji::TuntematonVersio: p = lisaa(p, ",unknown_version,,,,,"); break;
    case Laji::Tulkinta: {
      p = lisaa(p, ",interpretation,");
      *p++ = static_cast<char>(t_.versio);
      *p++ = ',';
      char16_t tila[64];
      p = csvKentta(p, ilmanValeja(t_.tili, tila));
      *p++ = ',';
      p = csvKentta(p, ilmanValeja(t_.viite, tila));
      *p++ = ',';
      if (t_.onEraPaiva) {
        p = isoPaivays(p, t_.eraPaiva);
      }
      *p++ = ',';
      p = kirjoitaSummaKoneelle(p, t_.sentit);
      break;
    }
  }
  p = csvTotuus(p, tarkisteet_.iban);
  p = csvTotuus(p, tarkisteet_.tili);
  p = csvTotuus(p, tarkisteet_.viite);
  p = csvTotuus(p, tarkisteet_.rf);
  p = lisaa(p, "\r\n");
  ulos.kaytetty(p);
}

}  // namespace kelvio
