// kelvio make: a bank barcode from the invoice's data, as digits and as a Code 128 symbol.
#include <cstdio>
#include <optional>

#include "komennot.h"
#include "ohjeet.h"
#include "siirto.h"
#include "tekija.h"
#include "utf8.h"
#include "valitsimet.h"
#include "viivakoodi_svg.h"

namespace kelvio {

int teeKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet) {
  Laskutiedot tiedot;
  std::optional<std::u16string> iban, viite, summa, svg;
  const auto arvoon = [](auto& kohde) {
    return [&kohde](std::u16string_view a) {
      kohde = std::u16string(a);
      return std::string();
    };
  };
  const Valitsin taulu[] = {
      {u"--iban", true, arvoon(iban)},    {u"--reference", true, arvoon(viite)},
      {u"--amount", true, arvoon(summa)}, {u"--due", true, arvoon(tiedot.eraPaiva)},
      {u"--svg", true, arvoon(svg)},
  };
  Komento komento;
  std::string virhe = lueValitsimet(argumentit, taulu, komento);
  if (virhe.empty() && !komento.muut.empty()) {
    virhe = "ylimääräinen argumentti " + utf8ksi(komento.muut[0]);
  }
  if (!virhe.empty()) {
    return kayttovirhe(virheet, "kelvio make", virhe);
  }
  if (komento.ohje) {
    std::string ulos(TEE_OHJE);
    kirjoita(tuloste, ulos);
    return 0;
  }
  if (!iban || !viite || !summa) {
    return kayttovirhe(virheet, "kelvio make", "--iban, --reference ja --amount tarvitaan");
  }
  tiedot.iban = *iban;
  tiedot.viite = *viite;
  tiedot.summa = *summa;
  std::string koodi = teeViivakoodi(tiedot, virhe);
  if (koodi.empty()) {
    viesti(virheet, "kelvio make: " + virhe + "\n");
    return 1;
  }
  if (svg) {
    std::FILE* f = std::fopen(utf8ksi(*svg).c_str(), "wb");
    const std::string kuva = viivakoodiSvg(koodi);
    const bool ok = f != nullptr && std::fwrite(kuva.data(), 1, kuva.size(), f) == kuva.size();
    if (f == nullptr || std::fclose(f) != 0 || !ok) {
      viesti(virheet, "kelvio make: tiedoston " + utf8ksi(*svg) + " kirjoitus epäonnistui\n");
      return 3;
    }
  }
  koodi += '\n';
  kirjoita(tuloste, koodi);
  return 0;
}

}  // namespace kelvio
