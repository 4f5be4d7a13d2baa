// libFuzzer: the interpretation, every formatting and escaping routine, the
// check digits and the command line's writers, on any input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "RsKTL.h"
#include "SEPA.h"
#include "aluesetukset.h"
#include "euro.h"
#include "fe_NollatPois.h"
#include "fe_urlkoodaa.h"
#include "koodaus.h"
#include "kuviot.h"
#include "tarkisteet.h"
#include "tulkinta.h"
#include "utf8.h"
#include "virhe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
  using namespace kelvio;
  if (koko < 2) {
    return 0;
  }
  // The first byte chooses the group size and the settings; the rest is text,
  // read both as UTF-8 and as raw UTF-16 units.
  const auto valinta = static_cast<std::int16_t>(static_cast<std::int8_t>(data[0]));
  const std::string_view tavut(reinterpret_cast<const char*>(data + 1), koko - 1);
  const std::u16string teksti = utf16ksi(tavut);
  std::u16string yksikot((koko - 1) / 2, u'\0');
  std::memcpy(yksikot.data(), data + 1, yksikot.size() * 2);

  static const KaavaAsetukset iso(u".", u"yyyy-MM-dd", u"HH:mm:ss");
  const Aluesetukset& asetukset = (valinta & 1) != 0 ? KaavaAsetukset::suomi() : iso;
  for (const std::u16string_view t : {std::u16string_view(teksti), std::u16string_view(yksikot)}) {
    const Tulkinta tulkinta = tulkitse(t, asetukset);
    (void)tarkista(t);
    (void)fe_ryhmittele(t, valinta);
    (void)fe_NollatPois(t);
    (void)NormTili(t);
    const double luku = fe_yleisval(t);
    std::u16string summa;
    lisaaSumma(summa, luku, asetukset.desimaalierotin());
    (void)summaKoneelle(luku);
    lisaaViite(summa, t);
    // Untrapped by design: their callers trap what they raise (an overflow
    // past 32,767 characters).
    try {
      (void)fe_urlkoodaa(t);
      (void)fe_korvaa(t, t.substr(0, 2), t.substr(std::min<std::size_t>(2, t.size()), 3));
    } catch (const Ajovirhe&) {
    }
    (void)fe_heksa(static_cast<std::uint8_t>(valinta));
    if (t.size() < 256) {
      std::u16string paivays;
      Aikakaava(t).kirjoita(paivays, tulkinta.eraPaiva.value_or(Paivays{}), Kellonaika{23, 59, 59});
    }
    std::string ulos;
    lisaaRaportti(ulos, t, "\n");
    lisaaJson(ulos, t);
    (void)utf8ksi(t);
  }
  return 0;
}
