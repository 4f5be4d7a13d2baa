#include "syotelukija.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <system_error>
#include <thread>

#include "siirto.h"
#include "virrat.h"

namespace kelvio {

// What one read gives: whatever is there, not a full block, so that a line
// that has come is answered without waiting for more. -1 with errno set.
long Syotelukija::lue() {
  return lueVirrasta(f_, lohko_.data(), lohko_.size());
}

bool Syotelukija::tayta(std::string& era) {
  if (!virhe_.empty() && (viimeinen_ || kesken_.find('\n') == std::string::npos)) {
    throw Siirtovirhe{virhe_};
  }
  era.swap(kesken_);
  kesken_.clear();
  odottaa_ = false;
  // Only the new bytes are searched, so a line of any length reads in linear time.
  std::size_t rivinvaihtoja = static_cast<std::size_t>(std::count(era.begin(), era.end(), '\n'));
  while (!loppu_ && (era.size() < ERA || rivinvaihtoja == 0) && rivinvaihtoja < enintaanRiveja) {
    // Whole lines and nothing more ready: they are answered now (a program
    // that sends one scan at a time waits for its answer).
    if (rivinvaihtoja > 0 && !syotettaOn(f_, false)) {
      odottaa_ = true;
      break;
    }
    const long n = lue();
    if (n == 0) {
      loppu_ = true;
      break;
    }
    if (n < 0) {
      // A non-blocking input with nothing yet is waited on, not taken as its end.
      if (errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) && syotettaOn(f_, true))) {
        continue;
      }
      // The lines read before the error are answered first.
      virhe_ = "syötteen luku epäonnistui: " + jarjestelmanSyy();
      loppu_ = true;
      break;
    }
    const auto m = static_cast<std::size_t>(n);
    rivinvaihtoja += static_cast<std::size_t>(std::count(lohko_.data(), lohko_.data() + m, '\n'));
    era.append(lohko_.data(), m);
  }
  // A UTF-8 BOM (Notepad and PowerShell 5.1 write one) is no part of the first line.
  if (alussa_ && (era.size() >= 3 || loppu_ || rivinvaihtoja > 0)) {
    alussa_ = false;
    if (era.starts_with("\xEF\xBB\xBF")) {
      era.erase(0, 3);
    }
  }
  // Whole lines, at most enintaanRiveja of them; the rest waits for the next
  // batch. After a read error a cut last line is no line.
  // The bytes are counted once: the cut falls after the last whole line, or
  // after the most lines a batch may hold, and the batch's lines follow.
  std::size_t loppu = era.size();
  const std::size_t riveja = std::min(rivinvaihtoja, enintaanRiveja);
  if (rivinvaihtoja > enintaanRiveja) {
    std::size_t kohta = 0;
    for (std::size_t k = 0; k < riveja; ++k) {
      kohta = era.find('\n', kohta) + 1;
    }
    loppu = kohta;
  } else if (!loppu_ || !virhe_.empty()) {
    const std::size_t viimeinen = era.rfind('\n');
    loppu = viimeinen == std::string::npos ? 0 : viimeinen + 1;
  }
  kesken_.assign(era, loppu);
  era.resize(loppu);
  if (!virhe_.empty()) {
    viimeinen_ = rivinvaihtoja <= enintaanRiveja;
    if (era.empty()) {
      throw Siirtovirhe{virhe_};
    }
  }
  rivi_ += ensimmainen_;
  ensimmainen_ = riveja;
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
    // When the input has nothing more ready, the lines that came are answered alone.
    const bool odotti = lukija.odottaa();
    const bool toinen = !odotti && lukija.tayta(eraB);
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
    if (!toinen && !odotti) {
      break;
    }
  }
}

}  // namespace kelvio
