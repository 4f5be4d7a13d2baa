// POSIX: "/" separates folders, files are UTF-8, the profile is USERPROFILE or
// else HOME, and the regional settings are Finnish.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// A file descriptor closed when it goes.
struct Kuvaaja {
  int fd;
  explicit Kuvaaja(int f) : fd(f) {}
  Kuvaaja(const Kuvaaja&) = delete;
  Kuvaaja& operator=(const Kuvaaja&) = delete;
  ~Kuvaaja() { close(fd); }
};

// Opens a regular file only: not through a symbolic link, and without waiting
// on a FIFO or a device (opened non-blocking, then its kind checked).
int avaaTavallinen(std::u16string_view polku, int tapa) {
  const int fd =
      open(polunTavuiksi(polku).c_str(), tapa | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == ELOOP) {
      nosta(VIRHE_TIEDOSTO);  // a link where the file should be
    }
    tiedostovirhe();
  }
  struct stat tiedot {};
  if (fstat(fd, &tiedot) != 0 || !S_ISREG(tiedot.st_mode)) {
    close(fd);
    nosta(VIRHE_TIEDOSTO);
  }
  return fd;
}

}  // namespace

JarjestelmaAlusta::JarjestelmaAlusta()
    : asetukset_(std::make_unique<KaavaAsetukset>(KaavaAsetukset::suomi())) {}

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
  return polkuTekstiksi(polku);
}

std::u16string JarjestelmaAlusta::ohjelmakansio() {
  const std::string polku = ohjelmanPolku();
  const std::size_t kauttaviiva = polku.find_last_of('/');
  if (kauttaviiva == std::string::npos) {
    // Never the caller's folder in silence: no folder, and the log stays unwritten.
    static bool varoitettu = false;
    if (!varoitettu) {
      varoitettu = true;
      viesti(
          u"kelvio: ohjelman kansio ei selviä (/proc/self/exe puuttuu), joten virhelokia ei "
          u"kirjoiteta");
    }
    nosta(VIRHE_EI_POLKUA);
  }
  return polkuTekstiksi(kauttaviiva == 0 ? std::string("/") : polku.substr(0, kauttaviiva));
}

std::u16string JarjestelmaAlusta::ymparisto(std::u16string_view nimi) {
  const std::string n = utf8ksi(nimi);
  const char* arvo = std::getenv(n.c_str());
  if ((arvo == nullptr || *arvo == '\0') && n == "USERPROFILE") {
    arvo = std::getenv("HOME");
  }
  return arvo == nullptr ? std::u16string() : polkuTekstiksi(arvo);
}

char16_t JarjestelmaAlusta::erotin() {
  return u'/';
}

std::u16string JarjestelmaAlusta::lueEnsimmainenRivi(std::u16string_view polku) {
  const Kuvaaja f(avaaTavallinen(polku, O_RDONLY));
  // A first line longer than any path is not a folder anyway.
  std::string rivi;
  char puskuri[4096];
  bool loppu = false;
  bool virhe = false;
  while (!loppu && rivi.size() < (1U << 20)) {
    const ssize_t n = read(f.fd, puskuri, sizeof puskuri);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      virhe = n < 0;
      break;
    }
    loppu = lisaaRivinAlku(rivi, std::string_view(puskuri, static_cast<std::size_t>(n)));
  }
  if (virhe) {
    nosta(VIRHE_LOPUN_YLI);
  }
  return polkuTekstiksi(rivi);
}

bool JarjestelmaAlusta::loytyykoMerkinta(std::u16string_view kuvio) {
  // Only folder + "/*.*" is asked: any entry of an existing folder matches.
  std::u16string_view kansio = kuvio;
  if (kansio.size() >= 3 && kansio.substr(kansio.size() - 3) == u"*.*") {
    kansio.remove_suffix(3);
  }
  DIR* d = opendir(kansio.empty() ? "." : polunTavuiksi(kansio).c_str());
  if (d == nullptr) {
    return false;
  }
  const bool loytyi = readdir(d) != nullptr;
  closedir(d);
  return loytyi;
}

void JarjestelmaAlusta::asetaNykyhakemisto(std::u16string_view kansio) {
  if (chdir(polunTavuiksi(kansio).c_str()) != 0) {
    nosta(VIRHE_EI_POLKUA);
  }
}

std::u16string JarjestelmaAlusta::nykyhakemisto() {
  std::string polku(PATH_MAX, '\0');
  if (getcwd(polku.data(), polku.size()) == nullptr) {
    nosta(VIRHE_EI_POLKUA);
  }
  polku.resize(polku.find('\0'));
  return polkuTekstiksi(polku);
}

void JarjestelmaAlusta::liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) {
  const std::string tavut = utf8ksi(teksti);
  const Kuvaaja f(avaaTavallinen(polku, O_WRONLY | O_APPEND | O_CREAT));
  // A second name (a hard link) could make the log write into another file.
  struct stat tiedot {};
  if (fstat(f.fd, &tiedot) != 0 || tiedot.st_nlink != 1) {
    nosta(VIRHE_TIEDOSTO);
  }
  // The lock serves file systems that append less carefully (NFS). Anyone who
  // can read the log can hold a lock on it, so it is waited for a bounded time.
  bool lukittu = false;
  for (int yritys = 0; yritys < LUKON_YRITYKSET && !lukittu; ++yritys) {
    lukittu = flock(f.fd, LOCK_EX | LOCK_NB) == 0;
    if (!lukittu) {
      usleep(LUKON_VALI_MS * 1000);
    }
  }
  if (!lukittu) {
    nosta(VIRHE_LUKITTU);
  }
  // One write of the whole entry, so that appends of several processes do
  // not interleave; a short write (a full disk, a file size limit) is cut
  // back, so that no torn entry is left.
  const off_t ennen = lseek(f.fd, 0, SEEK_END);
  ssize_t n = 0;
  do {
    n = write(f.fd, tavut.data(), tavut.size());
  } while (n < 0 && errno == EINTR);
  if (n != static_cast<ssize_t>(tavut.size())) {
    if (n > 0 && ennen >= 0) {
      (void)ftruncate(f.fd, ennen);
    }
    nosta(VIRHE_TIEDOSTO);
  }
}

std::uint8_t JarjestelmaAlusta::ansiKoodi(char16_t merkki) {
  return windows1252(merkki);
}

}  // namespace kelvio
