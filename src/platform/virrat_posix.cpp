#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "utf8.h"
#include "virrat.h"

namespace kelvio {

// Straight to the descriptor: a non-blocking output that is full (EAGAIN) is
// waited on until it takes more, as the non-blocking input is.
bool kirjoitaVirtaan(std::FILE* f, std::string_view tavut, std::string& syy) {
  const int fd = fileno(f);
  std::size_t kirjoitettu = 0;
  bool ok = fd >= 0 && std::fflush(f) == 0;
  while (ok && kirjoitettu < tavut.size()) {
    const ssize_t n = write(fd, tavut.data() + kirjoitettu, tavut.size() - kirjoitettu);
    if (n > 0) {
      kirjoitettu += static_cast<std::size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{fd, POLLOUT, 0};
      ok = poll(&p, 1, -1) >= 0 || errno == EINTR;
    } else {
      ok = n < 0 && errno == EINTR;
    }
  }
  if (!ok) {
    syy = std::strerror(errno);
  }
  return ok;
}

bool kirjoitaTiedostoksi(const std::u16string& nimi, std::string_view sisalto, std::string& syy) {
  const std::string polku = polunTavuiksi(nimi);
  struct stat s {};
  if (lstat(polku.c_str(), &s) == 0 && !S_ISREG(s.st_mode)) {
    syy = "ei tavallinen tiedosto (linkki, kansio tai laite)";
    return false;
  }
  const std::size_t kauttaviiva = polku.rfind('/');
  std::string valiaikainen =
      (kauttaviiva == std::string::npos ? std::string() : polku.substr(0, kauttaviiva + 1)) +
      ".kelvio-XXXXXX";
  const int fd = mkstemp(valiaikainen.data());
  if (fd < 0) {
    syy = std::strerror(errno);
    return false;
  }
  // The file gets the mode a new file would, not mkstemp's 0600.
  const mode_t maski = umask(0);
  umask(maski);
  bool ok = fchmod(fd, 0666 & ~maski) == 0;
  std::size_t kirjoitettu = 0;
  while (ok && kirjoitettu < sisalto.size()) {
    const ssize_t n = write(fd, sisalto.data() + kirjoitettu, sisalto.size() - kirjoitettu);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    ok = n > 0;
    kirjoitettu += ok ? static_cast<std::size_t>(n) : 0;
  }
  ok = ok && fsync(fd) == 0;
  syy = ok ? "" : std::strerror(errno);
  ok = close(fd) == 0 && ok;
  if (!ok || rename(valiaikainen.c_str(), polku.c_str()) != 0) {
    if (syy.empty()) {
      syy = std::strerror(errno);
    }
    unlink(valiaikainen.c_str());
    return false;
  }
  return true;
}

bool syotettaOn(std::FILE* f, bool odota) {
  pollfd p{fileno(f), POLLIN, 0};
  const int r = poll(&p, 1, odota ? -1 : 0);
  return odota ? r >= 0 || errno == EINTR : r != 0;
}

long lueVirrasta(std::FILE* f, char* lohko, std::size_t koko) {
  return static_cast<long>(read(fileno(f), lohko, koko));
}

}  // namespace kelvio
