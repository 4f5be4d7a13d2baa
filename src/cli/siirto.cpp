#include "siirto.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <cstdio>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "utf8.h"

namespace kelvio {

std::string jarjestelmanSyy() {
  return std::strerror(errno);
}

#ifdef _WIN32

void kirjoita(std::FILE* f, std::string& ulos) {
  const bool ok = std::fwrite(ulos.data(), 1, ulos.size(), f) == ulos.size() && std::fflush(f) == 0;
  ulos.clear();
  if (!ok) {
    throw Siirtovirhe{"tulosteen kirjoitus epäonnistui: " + jarjestelmanSyy()};
  }
}

#else

// Straight to the descriptor: a non-blocking output that is full (EAGAIN) is
// waited on until it takes more, as the non-blocking input is.
void kirjoita(std::FILE* f, std::string& ulos) {
  const int fd = fileno(f);
  std::size_t kirjoitettu = 0;
  bool ok = fd >= 0 && std::fflush(f) == 0;
  while (ok && kirjoitettu < ulos.size()) {
    const ssize_t n = write(fd, ulos.data() + kirjoitettu, ulos.size() - kirjoitettu);
    if (n > 0) {
      kirjoitettu += static_cast<std::size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{fd, POLLOUT, 0};
      ok = poll(&p, 1, -1) >= 0 || errno == EINTR;
    } else {
      ok = n < 0 && errno == EINTR;
    }
  }
  const std::string syy = ok ? "" : jarjestelmanSyy();
  ulos.clear();
  if (!ok) {
    throw Siirtovirhe{"tulosteen kirjoitus epäonnistui: " + syy};
  }
}

#endif

#ifdef _WIN32

// By the UTF-16 name, so that a name outside the ANSI code page is kept.
void kirjoitaTiedosto(const std::u16string& nimi, std::string_view sisalto) {
  std::FILE* f = _wfopen(reinterpret_cast<const wchar_t*>(nimi.c_str()), L"wb");
  const bool ok =
      f != nullptr && std::fwrite(sisalto.data(), 1, sisalto.size(), f) == sisalto.size();
  if (f == nullptr || std::fclose(f) != 0 || !ok) {
    throw Siirtovirhe{"tiedoston " + utf8ksi(nimi) +
                      " kirjoitus epäonnistui: " + jarjestelmanSyy()};
  }
}

#else

void kirjoitaTiedosto(const std::u16string& nimi, std::string_view sisalto) {
  const std::string polku = polunTavuiksi(nimi);
  const auto vika = [&](const std::string& syy) {
    return Siirtovirhe{"tiedoston " + polku + " kirjoitus epäonnistui: " + syy};
  };
  struct stat s {};
  if (lstat(polku.c_str(), &s) == 0 && !S_ISREG(s.st_mode)) {
    throw vika("ei tavallinen tiedosto (linkki, kansio tai laite)");
  }
  const std::size_t kauttaviiva = polku.rfind('/');
  std::string valiaikainen =
      (kauttaviiva == std::string::npos ? std::string() : polku.substr(0, kauttaviiva + 1)) +
      ".kelvio-XXXXXX";
  const int fd = mkstemp(valiaikainen.data());
  if (fd < 0) {
    throw vika(jarjestelmanSyy());
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
  const std::string syy = ok ? "" : jarjestelmanSyy();
  ok = close(fd) == 0 && ok;
  if (!ok || rename(valiaikainen.c_str(), polku.c_str()) != 0) {
    const std::string syy2 = syy.empty() ? jarjestelmanSyy() : syy;
    unlink(valiaikainen.c_str());
    throw vika(syy2);
  }
}

#endif

int kirjoitaOhje(std::FILE* f, std::string_view ohje) {
  std::string ulos(ohje);
  kirjoita(f, ulos);
  return 0;
}

void viesti(std::FILE* f, std::string_view teksti) {
  std::fwrite(teksti.data(), 1, teksti.size(), f);
  std::fflush(f);
}

}  // namespace kelvio
