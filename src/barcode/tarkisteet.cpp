#include "tarkisteet.h"

#include <algorithm>

#include "asettelu.h"
#include "fe_NollatPois.h"
#include "kalenteri.h"
#include "merkit.h"

namespace kelvio {

namespace {

// A letter or digit as its value in the mod-97 checks: 0-9, A-Z 10-35.
int arvo(char16_t c) {
  if (onNumero(c)) {
    return c - u'0';
  }
  if (c >= u'A' && c <= u'Z') {
    return c - u'A' + 10;
  }
  return -1;
}

// The remainder mod 97 of the digits of the characters, in order; -1 when a
// character is neither a digit nor a capital letter.
int jaannos97(std::u16string_view a, std::u16string_view b) {
  // Digits gathered in 64 bits and reduced only before they could overflow.
  std::uint64_t kertyma = 0;
  for (const std::u16string_view osa : {a, b}) {
    for (const char16_t c : osa) {
      const int v = arvo(c);
      if (v < 0) {
        return -1;
      }
      if (kertyma >= (std::uint64_t{1} << 56)) {
        kertyma %= 97;
      }
      kertyma = v >= 10 ? kertyma * 100 + static_cast<std::uint64_t>(v)
                        : kertyma * 10 + static_cast<std::uint64_t>(v);
    }
  }
  return static_cast<int>(kertyma % 97);
}

}  // namespace

bool ibanKelpaa(std::u16string_view iban) noexcept {
  if (iban.size() < 5 || iban.size() > 34) {
    return false;
  }
  return jaannos97(iban.substr(4), iban.substr(0, 4)) == 1;
}

bool tiliKelpaa(std::u16string_view konemuoto) noexcept {
  if (konemuoto.size() != 14 || !numeroita(konemuoto)) {
    return false;
  }
  int summa = 0;
  for (std::size_t i = 0; i < 13; ++i) {
    int tulo = (konemuoto[i] - u'0') * (i % 2 == 0 ? 2 : 1);
    summa += tulo > 9 ? tulo - 9 : tulo;
  }
  return (10 - summa % 10) % 10 == konemuoto[13] - u'0';
}

bool kansallinenViiteMuoto(std::u16string_view viite) noexcept {
  // The padding zeros of the field are no part of the reference.
  const std::u16string_view luku =
      viite.substr(std::min(viite.find_first_not_of(u'0'), viite.size()));
  return luku.size() >= 4 && luku.size() <= 20 && numeroita(luku);
}

bool viiteKelpaa(std::u16string_view viite) noexcept {
  if (!kansallinenViiteMuoto(viite)) {
    return false;
  }
  const std::u16string_view luku =
      viite.substr(std::min(viite.find_first_not_of(u'0'), viite.size()));
  static constexpr int PAINOT[] = {7, 3, 1};
  int summa = 0;
  const std::size_t n = luku.size() - 1;
  std::size_t paino = 0;
  for (std::size_t i = 0; i < n; ++i) {
    summa += (luku[n - 1 - i] - u'0') * PAINOT[paino];
    paino = paino == 2 ? 0 : paino + 1;
  }
  return (10 - summa % 10) % 10 == luku[n] - u'0';
}

bool rfKelpaa(std::u16string_view rf) noexcept {
  if (rf.size() < 5 || rf.size() > 25 || rf.substr(0, 2) != u"RF" || !numeroita(rf.substr(2, 2))) {
    return false;
  }
  return jaannos97(rf.substr(4), rf.substr(0, 4)) == 1;
}

Tarkisteet tarkista(std::u16string_view syote) {
  Tarkisteet t;
  const std::u16string_view koodi = ilmanEtuliitetta(syote);
  const Asettelu* a = koodi.size() == VIIVAKOODIN_PITUUS ? asettelu(koodi[0]) : nullptr;
  if (a == nullptr) {
    return t;
  }
  if (a == &VERSIO2) {
    t.tili = tiliKelpaa(osa(koodi, a->tili));
  } else {
    char16_t iban[18] = {u'F', u'I'};
    osa(koodi, a->tili).copy(iban + 2, 16);
    t.iban = ibanKelpaa({iban, 18});
  }
  if (a == &VERSIO5) {
    t.rf = rfKelpaa(u"RF" + std::u16string(osa(koodi, a->viite)) +
                    fe_NollatPois(osa(koodi, a->rfRunko)));
  } else {
    t.viite = viiteKelpaa(osa(koodi, a->viite));
  }
  const std::u16string_view pvm = osa(koodi, a->eraPaiva);
  if (pvm != u"000000") {
    t.eraPaiva = numeroita(pvm) && [&] {
      const auto luku = [&](std::size_t i) { return (pvm[i] - u'0') * 10 + (pvm[i + 1] - u'0'); };
      const Paivays p = siirraPaivays(2000 + luku(0), luku(2), luku(4));
      return p.vuosi == 2000 + luku(0) && p.kuukausi == luku(2) && p.paiva == luku(4);
    }();
  }
  return t;
}

}  // namespace kelvio
