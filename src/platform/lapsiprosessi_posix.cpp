#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __GLIBC__
#include <malloc.h>
#include <sys/mman.h>
#endif
#include <poll.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "kokonaan.h"
#include "lapsiprosessi.h"

namespace kelvio {

namespace {

[[noreturn]] void lapsi(int fd, Lapsentyo tyo, std::string_view argumentti, const Lapsiraja& raja,
                        pid_t vanhempi) {
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
  const rlim_t sekunteja = static_cast<rlim_t>(raja.sekunteja) * std::max(1U, raja.ytimia);
  const rlimit aika{sekunteja, sekunteja + 5};
  setrlimit(RLIMIT_CPU, &aika);
  alarm(static_cast<unsigned>(raja.sekunteja) + 10);
  std::uint64_t muistia = raja.muistia;
  if (muistia != 0) {
    // A caller's lower limit holds, and the work sizes itself within it.
    rlimit nyt{};
    if (getrlimit(RLIMIT_AS, &nyt) == 0 && nyt.rlim_cur != RLIM_INFINITY &&
        nyt.rlim_cur < muistia) {
      muistia = nyt.rlim_cur;
    }
    const rlimit muisti{muistia, muistia};
    setrlimit(RLIMIT_AS, &muisti);
  }
  const rlimit ydin{0, 0};
  setrlimit(RLIMIT_CORE, &ydin);
  const bool kirjoitettu = tyo(argumentti, muistia, [fd](std::string_view s) {
    return kokonaan(s.size(), [&](std::size_t tehty) {
             return write(fd, s.data() + tehty, s.size() - tehty);
           }) == 1;
  });
  _exit(kirjoitettu ? 0 : 1);
}

}  // namespace

Lapsentulos ajaLapsessa(Lapsentyo tyo, std::string_view argumentti, const Lapsiraja& raja) {
  Lapsentulos t;
  int putki[2];
  if (pipe(putki) != 0) {
    t.kuvaus = std::string("aliprosessia ei voi käynnistää: ") + std::strerror(errno);
    return t;
  }
  const pid_t vanhempi = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    close(putki[0]);
    lapsi(putki[1], tyo, argumentti, raja, vanhempi);
  }
  close(putki[1]);
  if (pid < 0) {
    close(putki[0]);
    t.kuvaus = std::string("aliprosessia ei voi käynnistää: ") + std::strerror(errno);
    return t;
  }
  bool aikaLoppui = false;
  char lohko[65536];
  const auto raja_ = std::chrono::steady_clock::now() + std::chrono::seconds(raja.sekunteja);
  for (;;) {
    const auto jaljella = std::chrono::duration_cast<std::chrono::milliseconds>(
        raja_ - std::chrono::steady_clock::now());
    if (jaljella.count() <= 0) {
      aikaLoppui = true;
      break;
    }
    pollfd p{putki[0], POLLIN, 0};
    const int r = poll(&p, 1, static_cast<int>(std::min<long long>(jaljella.count(), 1 << 30)));
    if (r <= 0) {
      continue;  // interrupted, or the time is checked again
    }
    const ssize_t n = read(putki[0], lohko, sizeof lohko);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    t.tavut.append(lohko, static_cast<std::size_t>(n));
  }
  close(putki[0]);
  if (aikaLoppui) {
    kill(pid, SIGKILL);
  }
  int tila = 0;
  while (waitpid(pid, &tila, 0) < 0 && errno == EINTR) {
  }
  if (aikaLoppui) {
    t.loppu = Lapsenloppu::AikaLoppui;
  } else if (WIFEXITED(tila) && WEXITSTATUS(tila) == 0) {
    t.loppu = Lapsenloppu::Valmis;
  } else {
    t.loppu = Lapsenloppu::Kaatui;
    if (WIFSIGNALED(tila)) {
      t.kuvaus = "signaali " + std::to_string(WTERMSIG(tila));
    }
  }
  if (t.loppu != Lapsenloppu::Valmis) {
    t.tavut.clear();
  }
  return t;
}

int lapsenPaaohjelma(Lapsentyo /*tyo*/) {
  return 2;  // a fork needs no second start
}

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

void kekoYhteinenSaikeille() {
#ifdef __GLIBC__
  // A thread's own arena is a 64 MiB mapping a page's bitmap does not fit
  // in well: the child would fault in every 4 KiB of it (bench/lue.sh, the
  // folder). The parent's threads only wait and collect results.
  mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace kelvio
