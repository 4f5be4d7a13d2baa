#include "luettavat.h"

#include "ajotarkistimet.h"
#include "kansio.h"
#include "lapsiprosessi.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace kelvio {

std::vector<std::string> luettavat(std::span<const std::string> argumentit) {
  std::vector<std::string> polut;
  for (const std::string& argumentti : argumentit) {
    std::vector<std::string> kansiossa;
    if (!kansionTiedostot(argumentti, kansiossa)) {
      polut.push_back(argumentti);  // a file, or a reason of its own when read
      continue;
    }
    polut.insert(polut.end(), kansiossa.begin(), kansiossa.end());
  }
  return polut;
}

namespace {

struct Jono {
  std::mutex lukko;
  std::condition_variable muuttui;
  std::map<std::size_t, Tiedostotulos> valmiit;
  std::size_t seuraava = 0;     // the next file a worker takes
  std::size_t kirjoitettu = 0;  // the next result valmis gets
  std::size_t ikkuna = 0;       // results that may wait for their turn
  bool loppu = false;           // no more files are taken
};

// A worker: the next file whose result would not wait too long.
void tyo(const std::vector<std::string>& polut, const Rajat& rajat, Jono& j) {
  for (;;) {
    std::size_t i = 0;
    {
      std::unique_lock<std::mutex> l(j.lukko);
      j.muuttui.wait(l, [&] {
        return j.loppu || j.seuraava >= polut.size() || j.seuraava < j.kirjoitettu + j.ikkuna;
      });
      if (j.loppu || j.seuraava >= polut.size()) {
        return;
      }
      i = j.seuraava++;
    }
    Tiedostotulos tulos = lueEristettyna(polut[i], rajat);
    {
      const std::lock_guard<std::mutex> l(j.lukko);
      j.valmiit.emplace(i, std::move(tulos));
    }
    j.muuttui.notify_all();
  }
}

// The calling thread: the results in order, and a file of its own to read
// when the next one in order is not taken yet.
void jaa(const std::vector<std::string>& polut, const Rajat& rajat, Jono& j,
         const std::function<void(std::size_t, Tiedostotulos&&)>& valmis) {
  while (j.kirjoitettu < polut.size()) {
    std::unique_lock<std::mutex> l(j.lukko);
    auto osuma = j.valmiit.find(j.kirjoitettu);
    if (osuma == j.valmiit.end()) {
      if (j.seuraava == j.kirjoitettu) {
        const std::size_t i = j.seuraava++;
        l.unlock();
        Tiedostotulos tulos = lueEristettyna(polut[i], rajat);
        l.lock();
        j.valmiit.emplace(i, std::move(tulos));
      } else {
        j.muuttui.wait(l);
      }
      continue;
    }
    Tiedostotulos tulos = std::move(osuma->second);
    j.valmiit.erase(osuma);
    const std::size_t i = j.kirjoitettu++;
    l.unlock();
    j.muuttui.notify_all();
    valmis(i, std::move(tulos));
  }
}

}  // namespace

void lueJarjestyksessa(const std::vector<std::string>& polut, Rajat rajat, unsigned tyontekijoita,
                       const std::function<void(std::size_t, Tiedostotulos&&)>& valmis) {
  tyontekijoita =
      std::max(1U, std::min<unsigned>(tyontekijoita, static_cast<unsigned>(polut.size())));
#ifdef KELVIO_ASAN
  // AddressSanitizer's allocator is not safe to fork while another thread
  // allocates: its test builds read one file at a time.
  tyontekijoita = 1;
#endif
  if (rajat.saikeita == 0) {
    // The cores shared among the children that run at once.
    rajat.saikeita = std::max(1U, std::thread::hardware_concurrency() / tyontekijoita);
  }
  kekoYhteinenSaikeille();
  Jono j;
  j.ikkuna = 2 * static_cast<std::size_t>(tyontekijoita);
  std::vector<std::thread> tyontekijat;
  for (unsigned k = 1; k < tyontekijoita; ++k) {
    try {
      tyontekijat.emplace_back(tyo, std::cref(polut), std::cref(rajat), std::ref(j));
    } catch (const std::system_error&) {
      break;  // fewer workers, not none: the calling thread reads too
    }
  }
  // Whatever valmis throws (the output failed) stops the workers first.
  const auto lopeta = [&] {
    {
      const std::lock_guard<std::mutex> l(j.lukko);
      j.loppu = true;
    }
    j.muuttui.notify_all();
    for (std::thread& t : tyontekijat) {
      t.join();
    }
  };
  try {
    jaa(polut, rajat, j, valmis);
  } catch (...) {
    lopeta();
    throw;
  }
  lopeta();
}

}  // namespace kelvio
