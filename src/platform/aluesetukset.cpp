#include "aluesetukset.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "kalenteri.h"
#include "numerot.h"

namespace kelvio {

namespace {

// The part that a run of n pattern letters names: one to four letters.
template <class T>
T pituudesta(std::size_t n, std::initializer_list<T> vaihtoehdot) {
  return *(vaihtoehdot.begin() + (std::min<std::size_t>(n, vaihtoehdot.size()) - 1));
}

constexpr std::array<std::u16string_view, 7> PAIVAT = {u"ma", u"ti", u"ke", u"to",
                                                       u"pe", u"la", u"su"};
constexpr std::array<std::u16string_view, 7> PAIVAT_PITKAT = {
    u"maanantai", u"tiistai", u"keskiviikko", u"torstai", u"perjantai", u"lauantai", u"sunnuntai"};
constexpr std::array<std::u16string_view, 12> KUUT = {u"tammi", u"helmi", u"maalis", u"huhti",
                                                      u"touko", u"kesä",  u"heinä",  u"elo",
                                                      u"syys",  u"loka",  u"marras", u"joulu"};

bool onKaavakirjain(char16_t c) {
  return c == u'd' || c == u'M' || c == u'y' || c == u'H' || c == u'h' || c == u'm' || c == u's' ||
         c == u't';
}

}  // namespace

Aikakaava::Aikakaava(std::u16string_view kaava) {
  std::u16string teksti;
  auto paataTeksti = [&] {
    if (!teksti.empty()) {
      palat_.push_back({Osa::Teksti, teksti});
      teksti.clear();
    }
  };
  std::size_t i = 0;
  while (i < kaava.size()) {
    const char16_t c = kaava[i];
    if (c == u'\'') {
      // Quoted literal; '' inside or outside quotes is one quote.
      ++i;
      if (i < kaava.size() && kaava[i] == u'\'') {
        teksti.push_back(u'\'');
        ++i;
        continue;
      }
      while (i < kaava.size()) {
        if (kaava[i] == u'\'') {
          if (i + 1 < kaava.size() && kaava[i + 1] == u'\'') {
            teksti.push_back(u'\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        teksti.push_back(kaava[i++]);
      }
      continue;
    }
    if (!onKaavakirjain(c)) {
      teksti.push_back(c);
      ++i;
      continue;
    }
    std::size_t n = 1;
    while (i + n < kaava.size() && kaava[i + n] == c) {
      ++n;
    }
    i += n;
    paataTeksti();
    const bool yksi = n == 1;
    Osa osa = Osa::Teksti;
    switch (c) {
      case u'd':
        osa = pituudesta(n, {Osa::Paiva, Osa::Paiva2, Osa::PaivanNimi, Osa::PaivanNimiPitka});
        break;
      case u'M':
        osa = pituudesta(
            n, {Osa::Kuukausi, Osa::Kuukausi2, Osa::KuukaudenNimi, Osa::KuukaudenNimiPitka});
        // After a day number Finnish takes the genitive, "31. joulukuuta", as Windows does.
        if (osa == Osa::KuukaudenNimiPitka &&
            std::any_of(palat_.begin(), palat_.end(), [](const Pala& p) {
              return p.osa == Osa::Paiva || p.osa == Osa::Paiva2;
            })) {
          osa = Osa::KuukaudenNimiGenetiivi;
        }
        break;
      case u'y': osa = pituudesta(n, {Osa::Vuosi1, Osa::Vuosi2, Osa::Vuosi4}); break;
      case u'H': osa = yksi ? Osa::Tunti24 : Osa::Tunti24_2; break;
      case u'h': osa = yksi ? Osa::Tunti12 : Osa::Tunti12_2; break;
      case u'm': osa = yksi ? Osa::Minuutti : Osa::Minuutti2; break;
      case u's': osa = yksi ? Osa::Sekunti : Osa::Sekunti2; break;
      default: osa = yksi ? Osa::Ampm1 : Osa::Ampm; break;
    }
    palat_.push_back({osa, {}});
  }
  paataTeksti();
}

void Aikakaava::kirjoita(std::u16string& kohde, const Paivays& pvm, const Kellonaika& aika) const {
  const int tunti12 = aika.tunti % 12 == 0 ? 12 : aika.tunti % 12;
  const std::u16string_view ampm = aika.tunti < 12 ? u"ap." : u"ip.";
  for (const Pala& pala : palat_) {
    switch (pala.osa) {
      case Osa::Teksti:
        if (pala.teksti.size() == 1) {
          kohde.push_back(pala.teksti[0]);  // the usual separator
        } else {
          kohde += pala.teksti;
        }
        break;
      case Osa::Paiva: lisaaLuku(kohde, pvm.paiva); break;
      case Osa::Paiva2: lisaaLuku(kohde, pvm.paiva, 2); break;
      case Osa::PaivanNimi: kohde += PAIVAT.at(static_cast<std::size_t>(viikonpaiva(pvm))); break;
      case Osa::PaivanNimiPitka:
        kohde += PAIVAT_PITKAT.at(static_cast<std::size_t>(viikonpaiva(pvm)));
        break;
      case Osa::Kuukausi: lisaaLuku(kohde, pvm.kuukausi); break;
      case Osa::Kuukausi2: lisaaLuku(kohde, pvm.kuukausi, 2); break;
      case Osa::KuukaudenNimi:
      case Osa::KuukaudenNimiPitka:
      case Osa::KuukaudenNimiGenetiivi:
        if (pvm.kuukausi >= 1 && pvm.kuukausi <= 12) {
          kohde += KUUT.at(static_cast<std::size_t>(pvm.kuukausi - 1));
          if (pala.osa == Osa::KuukaudenNimiPitka) {
            kohde += u"kuu";
          } else if (pala.osa == Osa::KuukaudenNimiGenetiivi) {
            kohde += u"kuuta";
          }
        }
        break;
      case Osa::Vuosi1: lisaaLuku(kohde, pvm.vuosi % 100); break;
      case Osa::Vuosi2: lisaaLuku(kohde, pvm.vuosi % 100, 2); break;
      case Osa::Vuosi4: lisaaLuku(kohde, pvm.vuosi, 4); break;
      case Osa::Tunti24: lisaaLuku(kohde, aika.tunti); break;
      case Osa::Tunti24_2: lisaaLuku(kohde, aika.tunti, 2); break;
      case Osa::Tunti12: lisaaLuku(kohde, tunti12); break;
      case Osa::Tunti12_2: lisaaLuku(kohde, tunti12, 2); break;
      case Osa::Minuutti: lisaaLuku(kohde, aika.minuutti); break;
      case Osa::Minuutti2: lisaaLuku(kohde, aika.minuutti, 2); break;
      case Osa::Sekunti: lisaaLuku(kohde, aika.sekunti); break;
      case Osa::Sekunti2: lisaaLuku(kohde, aika.sekunti, 2); break;
      case Osa::Ampm1: kohde.push_back(ampm.front()); break;
      case Osa::Ampm: kohde += ampm; break;
    }
  }
}

KaavaAsetukset::KaavaAsetukset(std::u16string erotin, std::u16string_view paivaysKaava,
                               std::u16string_view aikaKaava)
    : erotin_(std::move(erotin)), paivays_(paivaysKaava), aika_(aikaKaava) {}

void KaavaAsetukset::kirjoitaPaivays(std::u16string& kohde, const Paivays& pvm) const {
  paivays_.kirjoita(kohde, pvm, Kellonaika{});
}

void KaavaAsetukset::kirjoitaAika(std::u16string& kohde, const Kellonaika& aika) const {
  aika_.kirjoita(kohde, Paivays{}, aika);
}

const KaavaAsetukset& KaavaAsetukset::suomi() {
  static const KaavaAsetukset asetukset(u",", u"d.M.yyyy", u"H.mm.ss");
  return asetukset;
}

}  // namespace kelvio
