#include "tee.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "code128.h"
#include "tekija.h"
#include "utf8.h"

namespace kelvio {

namespace {

constexpr std::string_view OHJE =
    "Käyttö: kelvio make --iban IBAN --reference VIITE --amount SUMMA [--due VVVV-KK-PP]\n"
    "                    [--svg TIEDOSTO]\n"
    "\n"
    "Tekee pankkiviivakoodin (versio 4 kansallisella viitteellä, 5 RF-viitteellä) ja\n"
    "tulostaa sen 54 numeroa; --svg kirjoittaa lisäksi Code 128 -symbolin SVG-kuvana.\n"
    "\n"
    "  --iban       suomalainen IBAN (FI ja 16 numeroa; välilyönnit sallittu)\n"
    "  --reference  kansallinen viite (4-20 numeroa) tai RF-viite (RF, 2 + 1-21 numeroa)\n"
    "  --amount     euroina 0-999999,99 (0: ei summaa); erottimena piste tai pilkku\n"
    "  --due        eräpäivä 2000-01-01 - 2099-12-31; puuttuessa ei eräpäivää\n"
    "  --svg        symbolin tiedosto\n"
    "\n"
    "Paluuarvo: 0 onnistui; 1 jokin arvo rikkoo sääntöä; 2 virheellinen käyttö;\n"
    "3 tulosteen tai tiedoston kirjoitus epäonnistui.\n";

// The print figures, in millimetres: module width, bar height, quiet zone on either side.
constexpr double MODUULI_MM = 0.25;
constexpr double KORKEUS_MM = 13.0;
constexpr double VAPAA_MM = 6.4;

bool kirjoita(std::FILE* f, std::string_view teksti) {
  return std::fwrite(teksti.data(), 1, teksti.size(), f) == teksti.size() && std::fflush(f) == 0;
}

std::string luku(double x) {
  char puskuri[32];
  std::snprintf(puskuri, sizeof puskuri, "%.2f", x);
  return puskuri;
}

}  // namespace

std::string viivakoodiSvg(const std::string& numerot) {
  const std::vector<int> leveydet = code128C(numerot);
  int moduuleja = 0;
  for (const int l : leveydet) {
    moduuleja += l;
  }
  // The drawing is in modules; width and height in millimetres give its print size.
  const double vapaa = VAPAA_MM / MODUULI_MM;
  const double korkeus = KORKEUS_MM / MODUULI_MM;
  const double leveys = 2 * vapaa + moduuleja;
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + luku(leveys * MODUULI_MM) +
       "mm\" height=\"" + luku(KORKEUS_MM) + "mm\" viewBox=\"0 0 " + luku(leveys) + " " +
       luku(korkeus) + "\" shape-rendering=\"crispEdges\">\n";
  s += "<title>Pankkiviivakoodi " + numerot + "</title>\n";
  s += "<rect width=\"" + luku(leveys) + "\" height=\"" + luku(korkeus) + "\" fill=\"#fff\"/>\n";
  double x = vapaa;
  for (std::size_t i = 0; i < leveydet.size(); ++i) {
    if (i % 2 == 0) {  // bars at even places, spaces between
      s += "<rect x=\"" + luku(x) + "\" width=\"" + std::to_string(leveydet[i]) + "\" height=\"" +
           luku(korkeus) + "\"/>\n";
    }
    x += leveydet[i];
  }
  s += "</svg>\n";
  return s;
}

int teeKomento(const std::vector<std::u16string>& argumentit, std::FILE* tuloste,
               std::FILE* virheet) {
  Laskutiedot tiedot;
  std::optional<std::u16string> iban, viite, summa, svg;
  const auto kayttovirhe = [&](const std::string& teksti) {
    kirjoita(virheet, "kelvio make: " + teksti + "\nOhje: kelvio make --help\n");
    return 2;
  };
  for (std::size_t i = 0; i < argumentit.size(); ++i) {
    std::u16string_view nimi = argumentit[i];
    std::optional<std::u16string> arvo;
    if (const std::size_t yhtasuuri = nimi.find(u'='); yhtasuuri != std::u16string_view::npos) {
      arvo = std::u16string(nimi.substr(yhtasuuri + 1));
      nimi = nimi.substr(0, yhtasuuri);
    }
    if (nimi == u"--help" || nimi == u"-h") {
      return kirjoita(tuloste, OHJE) ? 0 : 3;
    }
    std::optional<std::u16string>* kohde = nimi == u"--iban"        ? &iban
                                           : nimi == u"--reference" ? &viite
                                           : nimi == u"--amount"    ? &summa
                                           : nimi == u"--svg"       ? &svg
                                                                    : nullptr;
    std::u16string* paiva = nimi == u"--due" ? &tiedot.eraPaiva : nullptr;
    if (kohde == nullptr && paiva == nullptr) {
      return kayttovirhe("tuntematon valitsin " + utf8ksi(argumentit[i]));
    }
    if (!arvo) {
      if (i + 1 >= argumentit.size()) {
        return kayttovirhe("valitsin " + utf8ksi(nimi) + " tarvitsee arvon");
      }
      arvo = argumentit[++i];
    }
    if (kohde != nullptr) {
      *kohde = *arvo;
    } else {
      *paiva = *arvo;
    }
  }
  if (!iban || !viite || !summa) {
    return kayttovirhe("--iban, --reference ja --amount tarvitaan");
  }
  tiedot.iban = *iban;
  tiedot.viite = *viite;
  tiedot.summa = *summa;
  std::string virhe;
  const std::string koodi = teeViivakoodi(tiedot, virhe);
  if (koodi.empty()) {
    kirjoita(virheet, "kelvio make: " + virhe + "\n");
    return 1;
  }
  if (svg) {
    std::FILE* f = std::fopen(utf8ksi(*svg).c_str(), "wb");
    const std::string kuva = viivakoodiSvg(koodi);
    const bool ok = f != nullptr && std::fwrite(kuva.data(), 1, kuva.size(), f) == kuva.size();
    if (f == nullptr || std::fclose(f) != 0 || !ok) {
      kirjoita(virheet, "kelvio make: tiedoston " + utf8ksi(*svg) + " kirjoitus epäonnistui\n");
      return 3;
    }
  }
  return kirjoita(tuloste, koodi + "\n") ? 0 : 3;
}

}  // namespace kelvio
