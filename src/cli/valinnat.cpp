#include "valinnat.h"

#include "utf8.h"

namespace kelvio {

std::string lueValinnat(const std::vector<std::u16string>& argumentit, Valinnat& v) {
  bool valitsimia = true;
  bool json = false;
  bool csv = false;
  for (std::size_t i = 0; i < argumentit.size(); ++i) {
    const std::u16string_view a = argumentit[i];
    if (!valitsimia || a.empty() || a[0] != u'-') {
      v.koodit.push_back(a);
      continue;
    }
    if (a == u"--") {
      valitsimia = false;
      continue;
    }
    std::u16string_view nimi = a;
    std::optional<std::u16string_view> arvo;
    if (const std::size_t yhtasuuri = a.find(u'=');
        a.substr(0, 2) == u"--" && yhtasuuri != std::u16string_view::npos) {
      nimi = a.substr(0, yhtasuuri);
      arvo = a.substr(yhtasuuri + 1);
    }
    const bool tarvitseeArvon = nimi == u"--decimal-separator" || nimi == u"--date-format";
    if (tarvitseeArvon && !arvo) {
      if (i + 1 >= argumentit.size()) {
        return "valitsin " + utf8ksi(nimi) + " tarvitsee arvon";
      }
      arvo = argumentit[++i];
    } else if (!tarvitseeArvon && arvo) {
      return "valitsin " + utf8ksi(nimi) + " ei ota arvoa";
    }
    if (nimi == u"--json") {
      json = true;
    } else if (nimi == u"--csv") {
      csv = true;
    } else if (nimi == u"--check") {
      v.tarkista = true;
    } else if (nimi == u"--help" || nimi == u"-h") {
      v.ohje = true;
    } else if (nimi == u"--version") {
      v.versio = true;
    } else if (nimi == u"--decimal-separator") {
      if (arvo->empty()) {
        return "desimaalierotin ei voi olla tyhjä";
      }
      v.erotin = std::u16string(*arvo);
    } else if (nimi == u"--date-format") {
      if (arvo->empty()) {
        return "päivämäärän muoto ei voi olla tyhjä";
      }
      v.paivaysKaava = std::u16string(*arvo);
    } else {
      return "tuntematon valitsin " + utf8ksi(a);
    }
  }
  if (json && csv) {
    return "valitse joko --json tai --csv";
  }
  v.muoto = json ? Muoto::Json : csv ? Muoto::Csv : Muoto::Raportti;
  return {};
}

}  // namespace kelvio
