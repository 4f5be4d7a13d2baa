#include "valitsimet.h"

#include <cstdio>
#include <optional>

#include "siirto.h"
#include "tulostin.h"
#include "utf8.h"

namespace kelvio {

std::string lueValitsimet(std::span<const std::u16string> argumentit,
                          std::span<const Valitsin> taulu, Komento& komento) {
  bool valitsimia = true;
  for (std::size_t i = 0; i < argumentit.size(); ++i) {
    const std::u16string_view a = argumentit[i];
    if (!valitsimia || a.empty() || a[0] != u'-') {
      komento.muut.push_back(a);
      continue;
    }
    if (a == u"--") {
      valitsimia = false;
      continue;
    }
    if (a == u"--help" || a == u"-h") {
      komento.ohje = true;
      continue;
    }
    std::u16string_view nimi = a;
    std::optional<std::u16string_view> arvo;
    if (const std::size_t yhtasuuri = a.find(u'=');
        a.substr(0, 2) == u"--" && yhtasuuri != std::u16string_view::npos) {
      nimi = a.substr(0, yhtasuuri);
      arvo = a.substr(yhtasuuri + 1);
    }
    const Valitsin* valitsin = nullptr;
    for (const Valitsin& v : taulu) {
      if (v.nimi == nimi) {
        valitsin = &v;
      }
    }
    if (valitsin == nullptr) {
      return "tuntematon valitsin " + utf8ksi(a);
    }
    if (valitsin->arvollinen && !arvo) {
      if (i + 1 >= argumentit.size()) {
        return "valitsin " + utf8ksi(nimi) + " tarvitsee arvon";
      }
      arvo = argumentit[++i];
    } else if (!valitsin->arvollinen && arvo) {
      return "valitsin " + utf8ksi(nimi) + " ei ota arvoa";
    }
    if (std::string virhe = valitsin->aseta(arvo.value_or(u"")); !virhe.empty()) {
      return virhe;
    }
  }
  return {};
}

void lisaaMuotojenValitsimet(std::vector<Valitsin>& taulu, const Tulostusmuoto*& muoto) {
  for (const Tulostusmuoto* m : tulostusmuodot()) {
    if (!m->valitsin.empty()) {
      taulu.push_back({m->valitsin, false, [&muoto, m](auto) {
                         if (muoto != tulostusmuodot()[0] && muoto != m) {
                           return std::string("valitse vain yksi tulostusmuoto");
                         }
                         muoto = m;
                         return std::string();
                       }});
    }
  }
}

int kayttovirhe(std::FILE* virheet, std::string_view komento, std::string_view teksti) {
  std::string s(komento);
  s += ": ";
  s += teksti;
  s += "\nOhje: ";
  s += komento;
  s += " --help\n";
  viesti(virheet, s);
  return 2;
}

}  // namespace kelvio
