#include "kuviot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace kelvio {

namespace {

// The amount as digits: sign, integer digits and two decimals, rounded.
struct Numerot {
  char merkit[400];
  bool negatiivinen = false;
  std::size_t kokonaisia = 0;  // integer digits at merkit[0..]
  char desimaalit[2] = {'0', '0'};
};

void numeroiksi(double sentit, Numerot& n) {
  // Whole cents of a moderate amount: sentit / 100 rounds back to them exactly.
  if (sentit == std::trunc(sentit) && std::fabs(sentit) < 1e13) {
    const auto arvo = static_cast<std::int64_t>(sentit);
    const std::uint64_t suuruus =
        arvo < 0 ? 0 - static_cast<std::uint64_t>(arvo) : static_cast<std::uint64_t>(arvo);
    n.negatiivinen = arvo < 0;
    const std::uint64_t euroja = suuruus / 100;
    n.desimaalit[0] = static_cast<char>('0' + (suuruus / 10) % 10);
    n.desimaalit[1] = static_cast<char>('0' + suuruus % 10);
    const auto [loppu, tila] = std::to_chars(n.merkit, n.merkit + sizeof n.merkit, euroja);
    (void)tila;
    n.kokonaisia = static_cast<std::size_t>(loppu - n.merkit);
    return;
  }
  const double euroa = sentit / 100.0;
  n.negatiivinen = std::signbit(euroa);
  const double suuruus = std::fabs(euroa);
  // Exactly halfway between two cents means x.125, x.375, x.625 or x.875:
  // eight times the amount is then an odd whole number.
  const double kahdeksan = suuruus * 8.0;
  const bool puolivali =
      suuruus < 1e15 && kahdeksan == std::trunc(kahdeksan) && std::fmod(kahdeksan, 2.0) == 1.0;
  const int tarkkuus = puolivali ? 3 : 2;
  const auto [loppu, tila] = std::to_chars(n.merkit, n.merkit + sizeof n.merkit, suuruus,
                                           std::chars_format::fixed, tarkkuus);
  (void)tila;
  std::size_t pituus = static_cast<std::size_t>(loppu - n.merkit);
  if (puolivali) {
    // Away from zero: drop the 5 and add one cent. The cent digit before it
    // is 2 or 7 (x.125, x.375, x.625, x.875), so adding one never carries.
    --pituus;
    ++n.merkit[pituus - 1];
  }
  n.kokonaisia = pituus - 3;
  n.desimaalit[0] = n.merkit[pituus - 2];
  n.desimaalit[1] = n.merkit[pituus - 1];
  // A rounded zero carries no sign.
  bool nolla = n.desimaalit[0] == '0' && n.desimaalit[1] == '0';
  for (std::size_t i = 0; i < n.kokonaisia && nolla; ++i) {
    nolla = n.merkit[i] == '0';
  }
  if (nolla) {
    n.negatiivinen = false;
  }
}

}  // namespace

void lisaaSumma(std::u16string& kohde, double sentit, std::u16string_view erotin) {
  Numerot n;
  numeroiksi(sentit, n);
  // Groups of three from the right, at least four groups; empty places write
  // nothing. The length is known, so the text is written in place.
  const std::size_t ryhmia = std::max<std::size_t>(4, (n.kokonaisia + 2) / 3);
  const std::size_t tyhjia = ryhmia * 3 - n.kokonaisia;
  const std::size_t alku = kohde.size();
  kohde.resize(alku + (ryhmia - 1) + (n.negatiivinen ? 1 : 0) + n.kokonaisia + erotin.size() + 2);
  char16_t* p = kohde.data() + alku;
  bool merkki = n.negatiivinen;
  for (std::size_t paikka = 0; paikka < ryhmia * 3; ++paikka) {
    if (paikka > 0 && paikka % 3 == 0) {
      *p++ = u' ';
    }
    if (paikka >= tyhjia) {
      if (merkki) {
        *p++ = u'-';  // right before the first digit
        merkki = false;
      }
      *p++ = static_cast<char16_t>(n.merkit[paikka - tyhjia]);
    }
  }
  p = std::copy(erotin.begin(), erotin.end(), p);
  *p++ = static_cast<char16_t>(n.desimaalit[0]);
  *p = static_cast<char16_t>(n.desimaalit[1]);
}

std::string summaKoneelle(double sentit) {
  Numerot n;
  numeroiksi(sentit, n);
  std::string tulos = n.negatiivinen ? "-" : "";
  tulos.append(n.merkit, n.kokonaisia);
  tulos += '.';
  tulos += n.desimaalit[0];
  tulos += n.desimaalit[1];
  return tulos;
}

void lisaaViite(std::u16string& kohde, std::u16string_view viite) {
  // Right-aligned in groups of five, at least four groups; written in place.
  const std::size_t ryhmia = std::max<std::size_t>(4, (viite.size() + 4) / 5);
  const std::size_t tyhjia = ryhmia * 5 - viite.size();
  const std::size_t alku = kohde.size();
  kohde.resize(alku + (ryhmia - 1) + viite.size());
  char16_t* p = kohde.data() + alku;
  for (std::size_t paikka = 0; paikka < ryhmia * 5; ++paikka) {
    if (paikka > 0 && paikka % 5 == 0) {
      *p++ = u' ';
    }
    if (paikka >= tyhjia) {
      *p++ = viite[paikka - tyhjia];
    }
  }
}

}  // namespace kelvio
