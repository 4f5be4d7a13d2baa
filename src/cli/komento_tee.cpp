// kelvio make: a bank barcode from the invoice's data, as digits, as a Code
// 128 symbol and as an EPC QR code; for programs, one JSON object.
#include <cstdio>
#include <optional>

#include "epc.h"
#include "komennot.h"
#include "koodaus.h"
#include "kuviot.h"
#include "ohjeet.h"
#include "qr_svg.h"
#include "siirto.h"
#include "tekija.h"
#include "tulkinta.h"
#include "tulostin.h"
#include "utf8.h"
#include "valitsimet.h"
#include "viivakoodi_svg.h"

namespace kelvio {

namespace {

struct Teko {
  Laskutiedot tiedot;
  EpcLisat lisat;
  std::optional<std::u16string> iban, viite, summa, svg, qr, nimi;
  bool json = false;
};

void jsonTeksti(std::string& ulos, std::string_view avain, std::string_view arvo) {
  ulos += ",\"";
  ulos += avain;
  ulos += "\":\"";
  lisaaJson(ulos, utf16ksi(arvo));
  ulos += '"';
}

// A value that breaks a rule: the message names the field; with --json, an
// object that names it for a program.
int arvovirhe(const Teko& t, std::FILE* tuloste, std::FILE* virheet, std::string_view kentta,
              const std::string& viestiTeksti) {
  viesti(virheet, "kelvio make: " + viestiTeksti + "\n");
  if (t.json) {
    std::string ulos = "{\"error\":{\"field\":\"" + std::string(kentta) + "\"";
    jsonTeksti(ulos, "message", viestiTeksti);
    ulos += "}}\n";
    kirjoita(tuloste, ulos);
  }
  return 1;
}

// The fields as the interpretation reads them back from the digits, so that
// the object says what a reader of the barcode will see.
std::string jsonTulos(const std::string& koodi, const std::string& epc) {
  const Tulkinta tulkinta = tulkitse(utf16ksi(koodi), KaavaAsetukset::suomi());
  const auto ilmanValeja = [](std::u16string t) {
    std::erase(t, u' ');
    return utf8ksi(t);
  };
  std::string ulos = "{\"barcode\":\"" + koodi + "\",\"version\":";
  ulos += static_cast<char>(tulkinta.versio);
  jsonTeksti(ulos, "account", ilmanValeja(tulkinta.tili));
  jsonTeksti(ulos, "reference", ilmanValeja(tulkinta.viite));
  jsonTeksti(ulos, "amount", summaKoneelle(tulkinta.sentit));
  if (tulkinta.eraPaiva) {
    ulos += ",\"due_date\":\"";
    lisaaIsoPaivays(ulos, *tulkinta.eraPaiva);
    ulos += '"';
  } else {
    ulos += ",\"due_date\":null";
  }
  if (!epc.empty()) {
    jsonTeksti(ulos, "qr_payload", epc);
  }
  ulos += "}\n";
  return ulos;
}

}  // namespace

int teeKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet) {
  Teko t;
  const auto arvoon = [](auto& kohde) {
    return [&kohde](std::u16string_view a) {
      kohde = std::u16string(a);
      return std::string();
    };
  };
  const Valitsin taulu[] = {
      {u"--iban", true, arvoon(t.iban)},
      {u"--reference", true, arvoon(t.viite)},
      {u"--amount", true, arvoon(t.summa)},
      {u"--due", true, arvoon(t.tiedot.eraPaiva)},
      {u"--svg", true, arvoon(t.svg)},
      {u"--qr", true, arvoon(t.qr)},
      {u"--name", true, arvoon(t.nimi)},
      {u"--bic", true, arvoon(t.lisat.bic)},
      {u"--message", true, arvoon(t.lisat.viesti)},
      {u"--json", false,
       [&](auto) {
         t.json = true;
         return std::string();
       }},
  };
  Komento komento;
  std::string virhe = lueValitsimet(argumentit, taulu, komento);
  if (virhe.empty() && !komento.muut.empty()) {
    virhe = "ylimääräinen argumentti " + utf8ksi(komento.muut[0]);
  }
  const int vakiotulosteeseen = (t.svg == u"-") + (t.qr == u"-") + t.json;
  if (virhe.empty() && vakiotulosteeseen > 1) {
    virhe = "vain yksi --svg -, --qr - tai --json voi kirjoittaa vakiotulosteeseen";
  }
  if (virhe.empty() && t.qr && !t.nimi) {
    virhe = "--qr tarvitsee saajan nimen (--name)";
  }
  if (!virhe.empty()) {
    return kayttovirhe(virheet, "kelvio make", virhe);
  }
  if (komento.ohje) {
    return kirjoitaOhje(tuloste, TEE_OHJE);
  }
  if (!t.iban || !t.viite || !t.summa) {
    return kayttovirhe(virheet, "kelvio make", "--iban, --reference ja --amount tarvitaan");
  }
  if (t.qr && !qrKaytettavissa()) {
    viesti(virheet, "kelvio make: tämä käännös ei osaa piirtää QR-koodeja (--qr)\n");
    return 2;
  }
  t.tiedot.iban = *t.iban;
  t.tiedot.viite = *t.viite;
  t.tiedot.summa = *t.summa;
  std::string kentta;
  std::string koodi = teeViivakoodi(t.tiedot, virhe, &kentta);
  if (koodi.empty()) {
    return arvovirhe(t, tuloste, virheet, kentta, virhe);
  }
  std::string epc;
  if (t.nimi || !t.lisat.bic.empty() || !t.lisat.viesti.empty()) {
    t.lisat.nimi = t.nimi.value_or(u"");
    epc = teeEpc(t.tiedot, t.lisat, virhe, kentta);
    if (epc.empty()) {
      return arvovirhe(t, tuloste, virheet, kentta, virhe);
    }
  }
  std::string qr;
  if (t.qr) {
    qr = qrSvg(epc);
    if (qr.empty()) {
      return arvovirhe(t, tuloste, virheet, "name", "EPC-QR-koodi ei mahdu versioon 13");
    }
  }
  std::string ulos;
  for (const auto& [nimi, sisalto] :
       {std::pair(&t.svg, viivakoodiSvg(koodi)), std::pair(&t.qr, qr)}) {
    if (!*nimi) {
      continue;
    }
    if (**nimi == u"-") {
      ulos = sisalto;
    } else {
      kirjoitaTiedosto(**nimi, sisalto);
    }
  }
  if (t.json) {
    ulos = jsonTulos(koodi, epc);
  } else if (ulos.empty()) {
    ulos = koodi + "\n";
  }
  kirjoita(tuloste, ulos);
  return 0;
}

}  // namespace kelvio
