#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tiedostoluku.h"

namespace kelvio {

namespace {

std::string syyksi(int virhe) {
  switch (virhe) {
    case ENOENT: return "tiedostoa ei ole";
    case EACCES: return "ei lukuoikeutta";
    case ELOOP: return "linkki, jota ei seurata";
    default: return std::strerror(virhe);
  }
}

std::string lajinSyy(mode_t tila) {
  return S_ISLNK(tila)   ? "linkki, jota ei seurata"
         : S_ISDIR(tila) ? "kansio, ei tiedosto"
                         : "ei tavallinen tiedosto (laite, putki tai pistoke)";
}

}  // namespace

bool lueKokoTiedosto(const std::string& polku, std::uint64_t enintaan, std::string& tavut,
                     std::string& syy) {
  // What the name is, before anything is opened: a FIFO's writer is not
  // released, a device's driver not run, a link not followed.
  struct stat ennen {};
  if (lstat(polku.c_str(), &ennen) != 0) {
    syy = "tiedostoa ei voi avata: " + syyksi(errno);
    return false;
  }
  if (!S_ISREG(ennen.st_mode)) {
    syy = lajinSyy(ennen.st_mode);
    return false;
  }
  const int fd = open(polku.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    syy = "tiedostoa ei voi avata: " + syyksi(errno);
    return false;
  }
  // The same file still, a regular one: nothing was swapped in between.
  struct stat s {};
  bool ok = fstat(fd, &s) == 0;
  if (!ok || !S_ISREG(s.st_mode) || s.st_ino != ennen.st_ino || s.st_dev != ennen.st_dev) {
    syy = ok ? lajinSyy(s.st_mode) : "tiedostoa ei voi avata: " + syyksi(errno);
    if (ok && S_ISREG(s.st_mode)) {
      syy = "tiedosto vaihtui kesken avauksen";
    }
    ok = false;
  } else if (static_cast<std::uint64_t>(s.st_size) > enintaan) {
    syy = "tiedosto on suurempi kuin " + std::to_string(enintaan >> 20) + " MiB";
    ok = false;
  }
  if (ok) {
    tavut.resize(static_cast<std::size_t>(s.st_size));
    std::size_t luettu = 0;
    while (luettu < tavut.size()) {
      const ssize_t n = read(fd, tavut.data() + luettu, tavut.size() - luettu);
      if (n < 0 && errno == EINTR) {
        continue;
      }
      if (n <= 0) {
        syy = std::string("tiedoston luku epäonnistui: ") +
              (n == 0 ? "tiedosto lyheni kesken luvun" : syyksi(errno));
        ok = false;
        break;
      }
      luettu += static_cast<std::size_t>(n);
    }
  }
  close(fd);
  return ok;
}

}  // namespace kelvio
