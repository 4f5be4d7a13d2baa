#include "ohjeet.h"

#include "tulostin.h"
#include "tuote.h"
#include "utf8.h"

namespace kelvio {

const std::string_view KELVIO_OHJE =
    "Käyttö: kelvio [VALITSIMET] [--] [VIIVAKOODI...]\n"
    "        kelvio make --iban IBAN --reference VIITE --amount SUMMA [--due PVM] [--svg "
    "TIEDOSTO]\n"
    "\n"
    "Tulkitsee suomalaisia pankkiviivakoodeja (versiot 2, 4 ja 5) kuten Kelviomaro.\n"
    "Ilman viivakoodiargumentteja lukee vakiosyötteestä yhden viivakoodin riviltä\n"
    "(UTF-8; rivinvaihto LF tai CR LF).\n"
    "\n"
    "Valitsimet:\n";
// Then a line for each output format, from the table of formats.
const std::string_view KELVIO_OHJE_LOPPU =
    "  --check                     tarkistaa tarkisteet (IBAN, tilinumero, viite, RF-viite):\n"
    "                              raportin perään rivi kustakin täsmäämättömästä,\n"
    "                              ja paluuarvo 1 jos jokin ei täsmää\n"
    "  --decimal-separator EROTIN  summan desimaalierotin (oletus: aluekohtaiset asetukset)\n"
    "  --date-format KAAVA         eräpäivän muoto, esim. d.M.yyyy tai yyyy-MM-dd\n"
    "                              (d dd M MM yy yyyy ja 'lainattu teksti')\n"
    "  --help                      tämä ohje\n"
    "  --version                   ohjelman versio\n"
    "  --                          loput argumentit ovat viivakoodeja\n"
    "\n"
    "Paluuarvo: 0 kun jokainen syöte tulkittiin; 1 kun jokin syöte sai selityksen\n"
    "(väärä pituus tai tuntematon esittämistapa), tulkinnassa sattui virhe tai\n"
    "--checkin kanssa jokin tarkiste ei täsmännyt; 2 virheellisestä käytöstä;\n"
    "3 kun syötteen luku tai tulosteen kirjoitus epäonnistui.\n"
    "\n"
    "Virheet kirjataan tiedostoon virhelog.txt ohjelman kansioon tai kansioon, jonka\n"
    "ohjelman vieressä olevan tiedoston ainehake.oma ensimmäinen rivi nimeää.\n";

const std::string_view TEE_OHJE =
    "Käyttö: kelvio make --iban IBAN --reference VIITE --amount SUMMA [--due VVVV-KK-PP]\n"
    "                    [--svg TIEDOSTO] [--name NIMI [--bic BIC] --qr TIEDOSTO] [--json]\n"
    "\n"
    "Tekee pankkiviivakoodin (versio 4 kansallisella viitteellä, 5 RF-viitteellä) ja\n"
    "tulostaa sen 54 numeroa; --svg kirjoittaa lisäksi Code 128 -symbolin SVG-kuvana,\n"
    "--qr saman laskun EPC-QR-koodin.\n"
    "\n"
    "  --iban       suomalainen IBAN (FI ja 16 numeroa; välilyönnit sallittu)\n"
    "  --reference  kansallinen viite (4-20 numeroa) tai RF-viite (RF, 2 + 1-21 numeroa)\n"
    "  --amount     euroina 0-999999,99 (0: ei summaa); erottimena piste tai pilkku\n"
    "  --due        eräpäivä 2000-01-01 - 2099-12-31; puuttuessa ei eräpäivää\n"
    "  --svg        symbolin tiedosto (- : vakiotuloste)\n"
    "  --name       saajan nimi QR-koodiin, 1-70 merkkiä\n"
    "  --bic        saajan pankin BIC QR-koodiin (valinnainen)\n"
    "  --message    viesti; QR-koodissa on joko viite tai viesti, joten viitteen kanssa ei\n"
    "  --qr         QR-koodin tiedosto (- : vakiotuloste)\n"
    "  --json       tulos JSON-oliona ohjelmille; virheestä olio, joka nimeää kentän\n"
    "\n"
    "Paluuarvo: 0 onnistui; 1 jokin arvo rikkoo sääntöä; 2 virheellinen käyttö;\n"
    "3 tulosteen tai tiedoston kirjoitus epäonnistui.\n";
namespace {

constexpr std::string_view LUE_OHJE_ALKU =
    "Etsii laskutiedostoista maksut: pankkiviivakoodit, EPC-QR-koodit, tulostetut\n"
    "virtuaaliviivakoodit ja Finvoice-sanomien maksutiedot. PDF (jokainen sivu, sekä\n"
    "teksti että kuva), PNG-, JPEG- ja TIFF-kuvat sekä Finvoice-sanomat; kansiosta sen\n"
    "tiedostot nimen mukaisessa järjestyksessä. Tiedoston laji päätellään sisällöstä.\n"
    "Kustakin maksusta tulee yksi tietue kaikkine lähteineen (viivakoodi, QR-koodi,\n"
    "teksti, Finvoice). Jos saman sivun koodit tai sivulle tulostettu tilinumero tai\n"
    "summa eroavat toisistaan, tai tiedoston maksut menevät eri tileille, tietueet\n"
    "merkitään ristiriitaisiksi ja kerrotaan, mikä kopio sanoo mitä. Jo luettu maksu\n"
    "(sama tili, viite ja summa) merkitään kaksoismaksuksi.\n"
    "\n";

constexpr std::string_view LUE_OHJE_LOPPU =
    "  --check                     paluuarvo 1, jos jokin tarkiste ei täsmää (tekstissä\n"
    "                              täsmäämättömät tarkisteet näkyvät aina)\n"
    "  --summary                   lopuksi yhteenveto: tiedostot, maksut ja niiden summa,\n"
    "                              ongelmat tiedostoittain\n"
    "\n"
    "Paluuarvo (suurin sopiva): 0 kaikki kunnossa; 1 virheellinen koodi tai --checkin\n"
    "kanssa täsmäämätön tarkiste; 4 tiedosto ilman koodia tai lukukelvoton;\n"
    "5 ristiriita tai kaksoismaksu, eli lasku voi olla väärennetty; 2 virheellinen\n"
    "käyttö; 3 tulosteen kirjoitus epäonnistui (voittaa muut).\n";

// A line for each output format of the table, its option and what it is.
std::string muotojenRivit() {
  std::string ulos;
  for (const Tulostusmuoto* m : tulostusmuodot()) {
    if (!m->valitsin.empty()) {
      const std::string nimi = utf8ksi(m->valitsin);
      ulos += "  " + nimi + std::string(28 - nimi.size(), ' ');
      ulos += m->kuvaus;
      ulos += '\n';
    }
  }
  return ulos;
}

}  // namespace

std::string lueSynopsi() {
  std::string muodot;
  for (const Tulostusmuoto* m : tulostusmuodot()) {
    if (!m->valitsin.empty()) {
      muodot += (muodot.empty() ? "[" : " | ") + utf8ksi(m->valitsin);
    }
  }
  return "kelvio read " + muodot + "] [--check] [--summary] [--] TIEDOSTO|KANSIO...";
}

std::string lueOhje() {
  return "Käyttö: " + lueSynopsi() + "\n\n" + std::string(LUE_OHJE_ALKU) + "Valitsimet:\n" +
         muotojenRivit() + std::string(LUE_OHJE_LOPPU);
}

std::string kelvioOhje() {
  std::string ulos(KELVIO_OHJE);
  const std::size_t kohta = ulos.find("\n\nTulkitsee");
  ulos.insert(kohta, "\n        " + lueSynopsi());
  return ulos + muotojenRivit() + std::string(KELVIO_OHJE_LOPPU);
}

const std::string_view DATAKANSIO_OHJE =
    "Käyttö: kelvio data-folder KANSIO\n"
    "\n"
    "Kirjoittaa KANSION ohjelman vieressä olevan tiedoston ainehake.oma ensimmäiseksi\n"
    "riviksi: ohjelmat kirjoittavat virhelokinsa siihen kansioon. * tarkoittaa kunkin\n"
    "käyttäjän omaa Tiedostot-kansiota. Tiedosto kirjoitetaan siinä merkistössä, jossa\n"
    "ohjelmat sen lukevat.\n";
const std::string_view VERSIO = "kelvio " KELVIO_VERSIO "\n";

}  // namespace kelvio
