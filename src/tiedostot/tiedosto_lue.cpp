// The kind of a file is decided by its content, never by its name.
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "dekooderit.h"
#include "kokonaan.h"
#include "tiedosto.h"

namespace kelvio {

namespace {

Tiedostotulos lukukelvoton(std::string syy) {
  Tiedostotulos t;
  t.syy = std::move(syy);
  return t;
}

// The whole file, refused before reading when it is no regular file or too
// large. Opened non-blocking so that a FIFO cannot hold the run.
bool lueTavut(const std::string& polku, const Rajat& rajat, std::string& tavut, std::string& syy) {
  const int fd = open(polku.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    syy = std::string("tiedostoa ei voi avata: ") + std::strerror(errno);
    return false;
  }
  struct stat s {};
  bool ok = fstat(fd, &s) == 0;
  if (!ok || !S_ISREG(s.st_mode)) {
    syy = S_ISDIR(s.st_mode) ? "kansio, ei tiedosto" : "ei tavallinen tiedosto";
    ok = false;
  } else if (static_cast<std::uint64_t>(s.st_size) > rajat.tavuja) {
    syy = "tiedosto on suurempi kuin " + std::to_string(rajat.tavuja >> 20) + " MiB";
    ok = false;
  }
  if (ok) {
    tavut.resize(static_cast<std::size_t>(s.st_size));
    const ssize_t loppu = kokonaan(tavut.size(), [&](std::size_t luettu) {
      return read(fd, tavut.data() + luettu, tavut.size() - luettu);
    });
    if (loppu != 1) {
      syy = std::string("tiedoston luku epäonnistui: ") +
            (loppu == 0 ? "tiedosto lyheni kesken luvun" : std::strerror(errno));
      ok = false;
    }
  }
  close(fd);
  return ok;
}

bool alkaa(std::string_view tavut, std::string_view alku) {
  return tavut.substr(0, alku.size()) == alku;
}

// XML that holds a Finvoice message: its root element is Finvoice.
bool finvoice(std::string_view tavut) {
  if (alkaa(tavut, "\xEF\xBB\xBF")) {
    tavut.remove_prefix(3);
  }
  const std::size_t alku = tavut.find_first_not_of(" \t\r\n");
  return alku != std::string_view::npos && tavut[alku] == '<' &&
         tavut.substr(0, 4096).find("<Finvoice") != std::string_view::npos;
}

}  // namespace

Tiedostotulos lueTiedosto(const std::string& polku, const Rajat& rajat) {
  std::string tavut;
  std::string syy;
  if (!lueTavut(polku, rajat, tavut, syy)) {
    return lukukelvoton(syy);
  }
  // PDF readers accept the header anywhere in the first kilobyte.
  if (tavut.substr(0, 1024).find("%PDF-") != std::string::npos) {
    return luePdf(tavut, rajat);
  }
  if (alkaa(tavut, "\x89PNG\r\n\x1a\n") || alkaa(tavut, "\xFF\xD8\xFF")) {
    return lueKuva(tavut, rajat);
  }
  using std::string_view_literals::operator""sv;
  if (alkaa(tavut, "II*\0"sv) || alkaa(tavut, "MM\0*"sv) || alkaa(tavut, "II+\0"sv) ||
      alkaa(tavut, "MM\0+"sv)) {
    return lueTiff(tavut, rajat);
  }
  if (finvoice(tavut)) {
    return lueFinvoice(tavut);
  }
  return lukukelvoton(tavut.empty()
                          ? "tyhjä tiedosto"
                          : "ei PDF-, PNG-, JPEG- tai TIFF-tiedosto eikä Finvoice-sanoma");
}

}  // namespace kelvio
