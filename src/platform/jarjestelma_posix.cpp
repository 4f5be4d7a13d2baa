// POSIX: "/" separates folders, files are UTF-8, the profile is USERPROFILE or
// else HOME, and the regional settings are Finnish.
#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "ajovirhe.h"
#include "jarjestelma.h"
#include "koodisivu.h"
#include "utf8.h"

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace kelvio {

namespace {

std::string ohjelmanPolku() {
#ifdef __APPLE__
  char polku[PATH_MAX];
  std::uint32_t koko = sizeof polku;
  if (_NSGetExecutablePath(polku, &koko) == 0) {
    char todellinen[PATH_MAX];
    if (realpath(polku, todellinen) != nullptr) {
      return todellinen;
    }
    return polku;
  }
  return {};
#else
  std::string polku(PATH_MAX, '\0');
  const ssize_t n = readlink("/proc/self/exe", polku.data(), polku.size());
  if (n <= 0) {
    return {};
  }
  polku.resize(static_cast<std::size_t>(n));
  return polku;
#endif
}

[[noreturn]] void tiedostovirhe() {
  if (errno == ENOENT) {
    nosta(VIRHE_EI_TIEDOSTOA);
  }
  if (errno == EACCES || errno == EPERM) {
    nosta(VIRHE_EI_LUPAA);
  }
  nosta(VIRHE_TIEDOSTO);
}

}  // namespace

JarjestelmaAlusta::JarjestelmaAlusta()
    : asetukset_(std::make_unique<KaavaAsetukset>(u",", u"d.M.yyyy", u"H.mm.ss")) {}

Hetki JarjestelmaAlusta::nyt() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, {tm.tm_hour, tm.tm_min, tm.tm_sec}};
}

std::u16string JarjestelmaAlusta::ohjelmanNimi() {
  std::string polku = ohjelmanPolku();
  polku = polku.substr(polku.find_last_of('/') + 1);
  const std::size_t piste = polku.find_last_of('.');
  if (piste != std::string::npos && piste > 0) {
    polku.resize(piste);
  }
  return utf16ksi(polku);
}

std::u16string JarjestelmaAlusta::ohjelmakansio() {
  const std::string polku = ohjelmanPolku();
  const std::size_t kauttaviiva = polku.find_last_of('/');
  if (kauttaviiva == std::string::npos) {
    return u".";
  }
  return utf16ksi(kauttaviiva == 0 ? std::string("/") : polku.substr(0, kauttaviiva));
}

std::u16string JarjestelmaAlusta::ymparisto(std::u16string_view nimi) {
  const std::string n = utf8ksi(nimi);
  const char* arvo = std::getenv(n.c_str());
  if (arvo == nullptr && n == "USERPROFILE") {
    arvo = std::getenv("HOME");
  }
  return arvo == nullptr ? std::u16string() : utf16ksi(arvo);
}

char16_t JarjestelmaAlusta::erotin() {
  return u'/';
}

std::u16string JarjestelmaAlusta::lueEnsimmainenRivi(std::u16string_view polku) {
  std::FILE* f = std::fopen(utf8ksi(polku).c_str(), "rb");
  if (f == nullptr) {
    tiedostovirhe();
  }
  // A first line longer than any path is not a folder anyway.
  std::string rivi;
  char puskuri[4096];
  bool loppu = false;
  while (!loppu && rivi.size() < (1U << 20)) {
    const std::size_t n = std::fread(puskuri, 1, sizeof puskuri, f);
    if (n == 0) {
      break;
    }
    for (std::size_t i = 0; i < n; ++i) {
      if (puskuri[i] == '\r') {
        loppu = true;
        break;
      }
      rivi.push_back(puskuri[i]);
    }
  }
  const bool virhe = std::ferror(f) != 0;
  std::fclose(f);
  if (virhe) {
    nosta(VIRHE_LOPUN_YLI);
  }
  return utf16ksi(rivi);
}

bool JarjestelmaAlusta::loytyykoMerkinta(std::u16string_view kuvio) {
  // Only folder + "/*.*" is asked: any entry of an existing folder matches.
  std::u16string_view kansio = kuvio;
  if (kansio.size() >= 3 && kansio.substr(kansio.size() - 3) == u"*.*") {
    kansio.remove_suffix(3);
  }
  DIR* d = opendir(kansio.empty() ? "." : utf8ksi(kansio).c_str());
  if (d == nullptr) {
    return false;
  }
  const bool loytyi = readdir(d) != nullptr;
  closedir(d);
  return loytyi;
}

void JarjestelmaAlusta::asetaNykyhakemisto(std::u16string_view kansio) {
  if (chdir(utf8ksi(kansio).c_str()) != 0) {
    nosta(VIRHE_EI_POLKUA);
  }
}

std::u16string JarjestelmaAlusta::nykyhakemisto() {
  std::string polku(PATH_MAX, '\0');
  if (getcwd(polku.data(), polku.size()) == nullptr) {
    nosta(VIRHE_EI_POLKUA);
  }
  polku.resize(polku.find('\0'));
  return utf16ksi(polku);
}

void JarjestelmaAlusta::liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) {
  std::FILE* f = std::fopen(utf8ksi(polku).c_str(), "ab");
  if (f == nullptr) {
    tiedostovirhe();
  }
  const std::string tavut = utf8ksi(teksti);
  const bool kirjoitettu = std::fwrite(tavut.data(), 1, tavut.size(), f) == tavut.size();
  const bool suljettu = std::fclose(f) == 0;
  if (!kirjoitettu || !suljettu) {
    nosta(VIRHE_TIEDOSTO);
  }
}

std::uint8_t JarjestelmaAlusta::ansiKoodi(char16_t merkki) {
  return windows1252(merkki);
}

}  // namespace kelvio
