#include "se_Pulma.h"

#include <mutex>

#include "alusta.h"
#include "fe_apppath.h"
#include "fe_urlkoodaa.h"
#include "fe_virheraportti.h"
#include "numerot.h"
#include "virhe.h"

namespace kelvio {

namespace {
std::u16string luku(std::int64_t arvo) {
  std::u16string t;
  lisaaLuku(t, arvo);
  return t;
}
}  // namespace

std::u16string virheteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                           std::u16string_view moduuli, std::u16string_view rutiini) {
  std::u16string t(kuvaus);
  t += u"\r\n(virhe " + luku(numero) + u")\r\n\r\n";
  // A sign place in front: a space, or the "-" of a negative number.
  t += u"Kutsurivi     ";
  if (kutsurivi >= 0) {
    t += u' ';
  }
  t += luku(kutsurivi) + u"\r\n";
  t += u"Moduulista   ";
  t += moduuli;
  t += u"\r\nRutiinista     ";
  t += rutiini;
  return t;
}

std::u16string kyselyteksti(std::int32_t numero, std::u16string_view kuvaus, std::int16_t kutsurivi,
                            std::u16string_view moduuli, std::u16string_view rutiini) {
  std::u16string t = u"terms=";
  t += fe_urlkoodaa(kuvaus) + u"+";
  t += u"virhe;" + fe_urlkoodaa(luku(numero)) + u"+";
  t += fe_urlkoodaa(luku(kutsurivi)) + u"+";
  t += fe_urlkoodaa(moduuli) + u"+";
  t += fe_urlkoodaa(rutiini);
  return t;
}

void se_Pulma(std::int16_t kutsurivi, std::u16string_view moduuli,
              std::u16string_view rutiini) noexcept {
  try {
    // One error at a time, also when the command line works on two threads.
    // Recursive: a call from the error window's own message loop cannot wait on itself.
    static std::recursive_mutex vuoro;
    const std::lock_guard<std::recursive_mutex> lukko(vuoro);
    const VirheTietue virhe = nykyinenVirhe();
    if (virhe.numero == VIRHE_NULL) {
      alusta().viesti(
          u"Pulma 94. Invalid use of null.\n"
          u"Jossain taulukossa tai kentässä on tyhjää, vaikkei saisi olla.\n"
          u"Poistele turhat tyhjät rivit, täydennä puuttuvat tiedot ja yritä sitten uudelleen.");
    }
    nollaaHiiriTurvallisesti();

    const std::u16string teksti =
        virheteksti(virhe.numero, virhe.kuvaus, kutsurivi, moduuli, rutiini);
    const std::u16string kysely =
        kyselyteksti(virhe.numero, virhe.kuvaus, kutsurivi, moduuli, rutiini);
    if (!alusta().naytaPulma(teksti, kysely)) {
      return;
    }

    try {
      std::u16string polku = fe_apppath();
      if (polku.empty() || polku.back() != alusta().erotin()) {
        polku.push_back(alusta().erotin());
      }
      polku += u"virhelog.txt";
      // One append per entry, so an entry lands whole or not at all.
      std::u16string merkinta = fe_virheraportti() + u"\r\n";
      merkinta += teksti + u"\r\n";
      merkinta += std::u16string(70, u'-') + u"\r\n";
      alusta().liitaTiedostoon(polku, merkinta);
    } catch (...) {
      // A log that cannot be written is passed over silently.
      return;
    }

    if (virhe.numero == VIRHE_UUDELLEENKAYNNISTYS) {
      alusta().viesti(
          u"Pulma 3014. Sammuta ohjelma ja käynnistä se uudelleen, niin pääset jatkamaan "
          u"työskentelyä.");
    }
  } catch (...) {  // NOLINT(bugprone-empty-catch): the handler hands no error back
  }
}

}  // namespace kelvio
