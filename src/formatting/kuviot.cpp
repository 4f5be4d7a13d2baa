#include "formatting/kuviot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

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
    // Away from zero: drop the 5 and add one cent.
    --pituus;
    std::size_t i = pituus;
    bool muistinumero = true;
    while (muistinumero && i > 0) {
      --i;
      if (n.merkit[i] == '.') {
        continue;
      }
      if (n.merkit[i] == '9') {
        n.merkit[i] = '0';
      } else {
        ++n.merkit[i];
        muistinumero = false;
      }
    }
    if (muistinumero) {
      for (std::size_t j = pituus; j > 0; --j) {
        n.merkit[j] = n.merkit[j - 1];
      }
      n.merkit[0] = '1';
      ++pituus;
    }
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

void kirjoitaSumma(std::u16string& kohde, double sentit, std::u16string_view erotin) {
  // Whole cents, every amount of a digit field: digits and group spaces
  // written from the right straight away.
  if (sentit == std::trunc(sentit) && std::fabs(sentit) < 1e13) {
    const auto arvo = static_cast<std::int64_t>(sentit);
    std::uint64_t euroja = static_cast<std::uint64_t>(arvo < 0 ? -arvo : arvo) / 100;
    const auto senttia =
        static_cast<unsigned>(static_cast<std::uint64_t>(arvo < 0 ? -arvo : arvo) % 100);
    char16_t puskuri[32];
    char16_t* const loppu = puskuri + 32;
    char16_t* p = loppu;
    int numeroita = 0;
    do {
      if (numeroita > 0 && numeroita % 3 == 0) {
        *--p = u' ';
      }
      *--p = static_cast<char16_t>(u'0' + euroja % 10);
      euroja /= 10;
      ++numeroita;
    } while (euroja != 0);
    if (arvo < 0) {
      *--p = u'-';  // right before the first digit
    }
    // Four groups at least: a space for each group that holds no digit.
    for (int ryhma = (numeroita + 2) / 3; ryhma < 4; ++ryhma) {
      *--p = u' ';
    }
    kohde.append(p, static_cast<std::size_t>(loppu - p));
    kohde.append(erotin);
    kohde.push_back(static_cast<char16_t>(u'0' + senttia / 10));
    kohde.push_back(static_cast<char16_t>(u'0' + senttia % 10));
    return;
  }
  Numerot n;
  numeroiksi(sentit, n);
  // Built in place: groups of three from the right, at least four groups.
  const std::size_t ryhmia = std::max<std::size_t>(4, (n.kokonaisia + 2) / 3);
  const std::size_t tyhjia = ryhmia * 3 - n.kokonaisia;
  const std::size_t alku = kohde.size();
  kohde.resize(alku + (ryhmia - 1) + n.kokonaisia + (n.negatiivinen ? 1 : 0) + erotin.size() + 2);
  char16_t* p = kohde.data() + alku;
  std::size_t paikka = 0;
  bool merkki = n.negatiivinen;
  for (std::size_t r = 0; r < ryhmia; ++r) {
    if (r > 0) {
      *p++ = u' ';
    }
    for (std::size_t k = 0; k < 3; ++k, ++paikka) {
      if (paikka >= tyhjia) {
        if (merkki) {
          *p++ = u'-';  // right before the first digit
          merkki = false;
        }
        *p++ = static_cast<char16_t>(n.merkit[paikka - tyhjia]);
      }
    }
  }
  std::char_traits<char16_t>::copy(p, erotin.data(), erotin.size());
  p += erotin.size();
  *p++ = static_cast<char16_t>(n.desimaalit[0]);
  *p = static_cast<char16_t>(n.desimaalit[1]);
}

char* kirjoitaSummaKoneelle(char* p, double sentit) {
  Numerot n;
  numeroiksi(sentit, n);
  if (n.negatiivinen) {
    *p++ = '-';
  }
  std::memcpy(p, n.merkit, n.kokonaisia);
  p += n.kokonaisia;
  *p++ = '.';
  *p++ = n.desimaalit[0];
  *p++ = n.desimaalit[1];
  return p;
}

char16_t* kirjoitaViite(char16_t* p, std::u16string_view viite) {
  // Right-aligned in groups of five, at least four groups.
  const std::size_t ryhmia = std::max<std::size_t>(4, (viite.size() + 4) / 5);
  const std::size_t tyhjia = ryhmia * 5 - viite.size();
  std::size_t paikka = 0;
  for (std::size_t r = 0; r < ryhmia; ++r) {
    if (r > 0) {
      *p++ = u' ';
    }
    for (std::size_t k = 0; k < 5; ++k, ++paikka) {
      if (paikka >= tyhjia) {
        *p++ = viite[paikka - tyhjia];
      }
    }
  }
  return p;
}

}  // namespace kelvio
