// The decoding of one file in a child process: its address space and its
// time are bounded, and whatever happens to it (a crash in a decoder, a
// decompression bomb) ends only that child. The result comes back through a
// pipe, written by the child when it is done.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <new>

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#endif
#include <poll.h>
#include <cstdint>
#include <cstdlib>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "ajotarkistimet.h"
#include "kokonaan.h"
#include "tiedosto.h"

namespace kelvio {

namespace {

void lisaaTeksti(std::string& ulos, std::string_view s) {
  ulos += std::to_string(s.size());
  ulos += ':';
  ulos += s;
}

std::string sarjoita(const Tiedostotulos& t) {
  std::string ulos;
  ulos += t.luettu ? '1' : '0';
  ulos += t.sivuja ? '1' : '0';
  lisaaTeksti(ulos, t.syy);
  lisaaTeksti(ulos, std::to_string(t.sivut.size()));
  for (const Sivutulos& sivu : t.sivut) {
    ulos += sivu.tekstikerros ? '1' : '0';
    for (const std::string* s :
         {&sivu.lasku.numero, &sivu.lasku.myyja, &sivu.lasku.myyjanTunnus, &sivu.lasku.yhteensa}) {
      lisaaTeksti(ulos, *s);
    }
    lisaaTeksti(ulos, std::to_string(sivu.tilit.size()));
    for (const std::string& tili : sivu.tilit) {
      lisaaTeksti(ulos, tili);
    }
    lisaaTeksti(ulos, std::to_string(sivu.summat.size()));
    for (const std::int64_t summa : sivu.summat) {
      lisaaTeksti(ulos, std::to_string(summa));
    }
    lisaaTeksti(ulos, std::to_string(sivu.koodit.size()));
    for (const Loyto& l : sivu.koodit) {
      ulos += static_cast<char>('0' + static_cast<int>(l.lahde));
      lisaaTeksti(ulos, std::to_string(l.y));
      lisaaTeksti(ulos, l.teksti);
    }
  }
  return ulos;
}

// Reads what sarjoita wrote; false when it is cut or malformed.
class Purku {
 public:
  explicit Purku(std::string_view s) : s_(s) {}
  bool merkki(char& c) {
    if (s_.empty()) {
      return false;
    }
    c = s_[0];
    s_.remove_prefix(1);
    return true;
  }
  bool teksti(std::string& t) {
    const std::size_t kaksoispiste = s_.find(':');
    if (kaksoispiste == std::string_view::npos || kaksoispiste == 0 || kaksoispiste > 12) {
      return false;
    }
    const std::size_t n = std::stoull(std::string(s_.substr(0, kaksoispiste)));
    if (s_.size() - kaksoispiste - 1 < n) {
      return false;
    }
    t.assign(s_.substr(kaksoispiste + 1, n));
    s_.remove_prefix(kaksoispiste + 1 + n);
    return true;
  }
  bool luku(std::size_t& n) {
    std::string t;
    if (!teksti(t) || t.empty() || t.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    n = std::stoull(t);
    return true;
  }

 private:
  std::string_view s_;
};

bool pura(std::string_view s, Tiedostotulos& t) {
  Purku p(s);
  char a = 0;
  char b = 0;
  std::size_t sivuja = 0;
  if (!p.merkki(a) || !p.merkki(b) || !p.teksti(t.syy) || !p.luku(sivuja)) {
    return false;
  }
  t.luettu = a == '1';
  t.sivuja = b == '1';
  for (std::size_t i = 0; i < sivuja; ++i) {
    Sivutulos& sivu = t.sivut.emplace_back();
    char tekstikerros = 0;
    std::size_t n = 0;
    if (!p.merkki(tekstikerros) || !p.teksti(sivu.lasku.numero) || !p.teksti(sivu.lasku.myyja) ||
        !p.teksti(sivu.lasku.myyjanTunnus) || !p.teksti(sivu.lasku.yhteensa) || !p.luku(n)) {
      return false;
    }
    sivu.tekstikerros = tekstikerros == '1';
    for (std::size_t k = 0; k < n; ++k) {
      std::string tili;
      if (!p.teksti(tili)) {
        return false;
      }
      sivu.tilit.push_back(std::move(tili));
    }
    if (!p.luku(n)) {
      return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
      std::size_t summa = 0;
      if (!p.luku(summa)) {
        return false;
      }
      sivu.summat.push_back(static_cast<std::int64_t>(summa));
    }
    if (!p.luku(n)) {
      return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
      char lahde = 0;
      std::string y;
      Loyto l{};
      if (!p.merkki(lahde) || lahde < '0' || lahde >= static_cast<char>('0' + LAHTEITA) ||
          !p.teksti(y) || !p.teksti(l.teksti)) {
        return false;
      }
      l.lahde = static_cast<Lahde>(lahde - '0');
      l.y = std::strtod(y.c_str(), nullptr);
      sivu.koodit.push_back(std::move(l));
    }
  }
  return true;
}

[[noreturn]] void lapsi(int fd, const std::string& polku, Rajat rajat, pid_t vanhempi) {
#ifdef __linux__
  // The child dies with the parent, however the parent ends; one that died
  // before this took effect is seen as a new parent.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
  if (getppid() != vanhempi) {
    _exit(1);
  }
  // A time of its own, should the parent's watch stop: CPU time for every
  // core it may use, and wall time by an alarm.
  const rlim_t sekunteja =
      static_cast<rlim_t>(rajat.sekunteja) * std::max(1U, std::thread::hardware_concurrency());
  const rlimit aika{sekunteja, sekunteja + 5};
  setrlimit(RLIMIT_CPU, &aika);
  alarm(static_cast<unsigned>(rajat.sekunteja) + 10);
#ifndef KELVIO_ASAN
  // AddressSanitizer maps terabytes of shadow memory, so its test builds run
  // the child without this limit. A caller's lower limit holds, and the
  // decoder sizes its threads within whichever is lower.
  rlimit nyt{};
  if (getrlimit(RLIMIT_AS, &nyt) == 0 && nyt.rlim_cur != RLIM_INFINITY &&
      nyt.rlim_cur < rajat.muistia) {
    rajat.muistia = nyt.rlim_cur;
  }
  const rlimit muisti{rajat.muistia, rajat.muistia};
  setrlimit(RLIMIT_AS, &muisti);
#else
  rajat.muistia = 0;  // no limit to size the threads by
#endif
  const rlimit ydin{0, 0};
  setrlimit(RLIMIT_CORE, &ydin);
  pidaPuskuritKeossa();
  esivaraaSuuretSivut();
  Tiedostotulos t;
  try {
    t = lueTiedosto(polku, rajat);
  } catch (const std::bad_alloc&) {
    t = {};
    t.syy =
        "tiedoston purkuun ei riitä muisti (raja " + std::to_string(rajat.muistia >> 20) + " MiB)";
  } catch (...) {
    t = {};
    t.syy = "tiedoston purku epäonnistui";
  }
  const std::string s = sarjoita(t);
  const ssize_t kirjoitettu = kokonaan(
      s.size(), [&](std::size_t tehty) { return write(fd, s.data() + tehty, s.size() - tehty); });
  _exit(kirjoitettu == 1 ? 0 : 1);
}

}  // namespace

namespace {
constexpr std::size_t ESIVARAUS = 96U << 20;
constexpr std::uintptr_t SUURI_SIVU = 2U << 20;
}  // namespace

void pidaPuskuritKeossa() {
#ifdef __GLIBC__
  // A page's bitmap is megabytes: kept in the heap when freed, the next page
  // reuses it, where a fresh mapping for each would fault in every one of its
  // pages again. The peak stays one bitmap a thread (bench/symbolit_bench).
  constexpr int PUSKURI = 256 << 20;
  mallopt(M_MMAP_THRESHOLD, PUSKURI);
  mallopt(M_TRIM_THRESHOLD, 2 * PUSKURI);
  // Each arena reserves address space of its own: a few are shared by the
  // rendering threads, so that the address-space limit goes to bitmaps.
  mallopt(M_ARENA_MAX, 4);
#endif
}

void esivaraaSuuretSivut() {
#ifdef __GLIBC__
  // The first page of a fresh process faults in every 4 KiB of its bitmap;
  // heap grown beforehand and marked for huge pages faults 2 MiB at a time
  // (bench/symbolit_bench: the first page of a fresh process).
  if (void* alku = std::malloc(ESIVARAUS)) {
    // The first 2 MiB boundary in the block, by pointer arithmetic.
    const std::size_t ohi = reinterpret_cast<std::uintptr_t>(alku) % SUURI_SIVU;
    char* tasattu = static_cast<char*>(alku) + (ohi == 0 ? 0 : SUURI_SIVU - ohi);
    madvise(tasattu, ESIVARAUS - (SUURI_SIVU - ohi) - SUURI_SIVU, MADV_HUGEPAGE);
    std::free(alku);
  }
#endif
}

Tiedostotulos lueEristettyna(const std::string& polku, const Rajat& rajat) {
  Tiedostotulos t;
  int putki[2];
  if (pipe(putki) != 0) {
    t.syy = std::string("aliprosessia ei voi käynnistää: ") + std::strerror(errno);
    return t;
  }
  const pid_t vanhempi = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    close(putki[0]);
    lapsi(putki[1], polku, rajat, vanhempi);
  }
  close(putki[1]);
  if (pid < 0) {
    close(putki[0]);
    t.syy = std::string("aliprosessia ei voi käynnistää: ") + std::strerror(errno);
    return t;
  }
  std::string tulos;
  bool aikaLoppui = false;
  char lohko[65536];
  const auto raja = std::chrono::steady_clock::now() + std::chrono::seconds(rajat.sekunteja);
  for (;;) {
    const auto jaljella = std::chrono::duration_cast<std::chrono::milliseconds>(
        raja - std::chrono::steady_clock::now());
    if (jaljella.count() <= 0) {
      aikaLoppui = true;
      break;
    }
    pollfd p{putki[0], POLLIN, 0};
    const int r = poll(&p, 1, static_cast<int>(std::min<long long>(jaljella.count(), 1 << 30)));
    if (r < 0 && errno == EINTR) {
      continue;
    }
    if (r == 0) {
      continue;
    }
    const ssize_t n = read(putki[0], lohko, sizeof lohko);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    tulos.append(lohko, static_cast<std::size_t>(n));
  }
  close(putki[0]);
  if (aikaLoppui) {
    kill(pid, SIGKILL);
  }
  int tila = 0;
  while (waitpid(pid, &tila, 0) < 0 && errno == EINTR) {
  }
  if (aikaLoppui) {
    t.syy = "tiedoston purku kesti yli " + std::to_string(rajat.sekunteja) + " s";
  } else if (!WIFEXITED(tila) || WEXITSTATUS(tila) != 0 || !pura(tulos, t)) {
    t = {};
    t.syy = WIFSIGNALED(tila)
                ? "tiedoston purku keskeytyi (signaali " + std::to_string(WTERMSIG(tila)) +
                      "): tiedosto on rikki tai liian raskas"
                : "tiedoston purku epäonnistui";
  }
  return t;
}

}  // namespace kelvio
