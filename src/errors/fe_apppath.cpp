#include "fe_apppath.h"

#include "alusta.h"

namespace kelvio {

namespace {

std::u16string& valimuisti() {
  static std::u16string kansio;
  return kansio;
}

std::u16string_view ilmanValilyonteja(std::u16string_view t) {
  const std::size_t alku = t.find_first_not_of(u' ');
  if (alku == std::u16string_view::npos) {
    return {};
  }
  return t.substr(alku, t.find_last_not_of(u' ') - alku + 1);
}

std::u16string liita(std::u16string_view kansio, std::u16string_view nimi, char16_t erotin) {
  std::u16string polku(kansio);
  if (polku.empty() || polku.back() != erotin) {
    polku.push_back(erotin);
  }
  polku.append(nimi);
  return polku;
}

// The candidate folder of the first line; "" when it names none.
std::u16string ehdokas(std::u16string_view rivi, char16_t erotin) {
  // A NUL would cut the path short at the system: such a line names no folder.
  if (rivi.find(u'\0') != std::u16string_view::npos) {
    return {};
  }
  std::u16string profiili = alusta().ymparisto(u"USERPROFILE");
  if (rivi.front() == u'*' && profiili.empty()) {
    return {};  // no profile: nothing under it, and "" would be the current folder
  }
  if (ilmanValilyonteja(rivi) == u"*") {
    for (const std::u16string_view nimi : {u"Omat tiedostot", u"My documents", u"Mina dokument"}) {
      std::u16string kansio = profiili + erotin;
      kansio.append(nimi);
      if (fe_onkansio(kansio)) {
        return kansio;
      }
    }
    return profiili;
  }
  if (rivi.front() == u'*') {
    std::u16string loppu(ilmanValilyonteja(rivi.substr(1)));
    if (loppu.empty() || loppu.front() != erotin) {
      loppu.insert(loppu.begin(), erotin);
    }
    return profiili + loppu;
  }
  return std::u16string(rivi);
}

}  // namespace

std::u16string fe_apppath() {
  std::u16string& kansio = valimuisti();
  if (!kansio.empty()) {
    return kansio;
  }
  kansio = alusta().ohjelmakansio();
  const char16_t erotin = alusta().erotin();
  const std::u16string rivi = fe_luerivi(liita(kansio, u"ainehake.oma", erotin));
  if (rivi.empty()) {
    return kansio;
  }
  const std::u16string valittu = ehdokas(rivi, erotin);
  if (!valittu.empty() && fe_onkansio(valittu)) {
    // Setting the current directory to the full path sets the drive too, also
    // for a folder without a drive letter such as \\server\share\kelvio.
    alusta().asetaNykyhakemisto(valittu);
    kansio = alusta().nykyhakemisto();
  }
  return kansio;
}

std::u16string fe_luerivi(std::u16string_view polku) noexcept {
  try {
    return alusta().lueEnsimmainenRivi(polku);
  } catch (...) {
    return {};
  }
}

bool fe_onkansio(std::u16string_view kansio) noexcept {
  try {
    return alusta().loytyykoMerkinta(liita(kansio, u"*.*", alusta().erotin()));
  } catch (...) {
    return false;
  }
}

void unohdaAppPath() noexcept {
  valimuisti().clear();
}

}  // namespace kelvio
