#include "syotelukija.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <poll.h>
#endif

#include "siirto.h"

namespace kelvio {

namespace {

// Waits until a non-blocking input has something to read (or has ended).
bool odotaSyotetta(std::FILE* f) {
#ifdef _WIN32
  (void)f;
  return false;
#else
  pollfd p{fileno(f), POLLIN, 0};
  return poll(&p, 1, -1) >= 0 || errno == EINTR;
#endif
}

}  // namespace

bool Syotelukija::tayta(std::string& era) {
  era.swap(kesken_);
  kesken_.clear();
  // Only the new bytes are searched, so a line of any length reads in linear time.
  std::size_t rivinvaihtoja = static_cast<std::size_t>(std::count(era.begin(), era.end(), '\n'));
  while (!loppu_ && (era.size() < ERA || rivinvaihtoja == 0) && rivinvaihtoja < enintaanRiveja) {
    const std::size_t n = std::fread(lohko_.data(), 1, lohko_.size(), f_);
    if (n == 0) {
      if (std::ferror(f_) == 0) {
        loppu_ = true;
        break;
      }
      // A non-blocking input with nothing yet is waited on, not taken as its end.
      if ((errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) && odotaSyotetta(f_)) {
        std::clearerr(f_);
        continue;
      }
      throw Siirtovirhe{"syötteen luku epäonnistui: " + jarjestelmanSyy()};
    }
    rivinvaihtoja += static_cast<std::size_t>(std::count(lohko_.data(), lohko_.data() + n, '\n'));
    era.append(lohko_.data(), n);
  }
  // Whole lines, at most enintaanRiveja of them; the rest waits for the next batch.
  std::size_t loppu = era.size();
  if (!loppu_ || rivinvaihtoja > enintaanRiveja) {
    std::size_t kohta = 0;
    for (std::size_t k = 0; k < std::min(rivinvaihtoja, enintaanRiveja); ++k) {
      kohta = era.find('\n', kohta) + 1;
    }
    loppu = kohta;
  }
  kesken_.assign(era, loppu);
  era.resize(loppu);
  rivi_ += ensimmainen_;
  ensimmainen_ = static_cast<std::size_t>(std::count(era.begin(), era.end(), '\n'));
  if (!era.empty() && era.back() != '\n') {
    ++ensimmainen_;
  }
  return !era.empty();
}

// Standard input on both cores: two batches at a time, written in input
// order (bench/run.sh measures it against one core). When a second thread
// cannot be had, the same worker takes both batches in turn. The lines of a
// batch are as many as make about VASTAUS bytes of output, so that memory
// stays flat whatever each line makes.
void lueRivit(Syotelukija& lukija, std::FILE* tuloste, Kasittelija& a, Kasittelija& b) {
  constexpr std::size_t VASTAUS = 4U << 20;
  std::string eraA;
  std::string eraB;
  bool ensimmainen = true;
  while (lukija.tayta(eraA)) {
    const std::size_t riviA = lukija.rivi();
    const bool toinen = lukija.tayta(eraB);
    const std::size_t riviB = lukija.rivi();
    std::thread apuri;
    std::exception_ptr apurinVirhe;
    std::size_t riveja = 0;
    if (toinen) {
      try {
        apuri = std::thread([&] {
          try {
            riveja += b.kasitteleRivit(eraB, riviB, false);
          } catch (...) {
            apurinVirhe = std::current_exception();
          }
        });
      } catch (const std::system_error&) {  // NOLINT(bugprone-empty-catch): one worker goes on
      }
    }
    const std::size_t rivejaA = a.kasitteleRivit(eraA, riviA, ensimmainen);
    if (apuri.joinable()) {
      apuri.join();
    } else if (toinen) {
      riveja += b.kasitteleRivit(eraB, riviB, false);
    }
    if (apurinVirhe) {
      std::rethrow_exception(apurinVirhe);
    }
    riveja += rivejaA;
    const std::size_t tavuja = a.ulos.size() + b.ulos.size();
    lukija.enintaanRiveja =
        std::clamp<std::size_t>(VASTAUS / std::max<std::size_t>(1, tavuja / riveja), 1, 1U << 16);
    kirjoita(tuloste, a.ulos);
    kirjoita(tuloste, b.ulos);
    ensimmainen = false;
    if (!toinen) {
      break;
    }
  }
}

}  // namespace kelvio
