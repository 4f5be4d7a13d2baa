#include "syotelukija.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "siirto.h"
#include "virhe.h"
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

namespace {

// A worker's batch on a thread of its own, or on the calling thread when no
// thread can be had; joined by its destructor.
class Tyo {
 public:
  Tyo(Kasittelija& k, const std::string& era, std::size_t rivi, bool ensimmainen)
      : k_(k), era_(era), rivi_(rivi), ensimmainen_(ensimmainen) {
    try {
      saie_ = std::thread([this] { tee(); });
    } catch (const std::system_error&) {  // NOLINT(bugprone-empty-catch): done when joined
    }
  }
  Tyo(const Tyo&) = delete;
  Tyo& operator=(const Tyo&) = delete;
  ~Tyo() { odota(); }

  // The number of lines; rethrows what the worker threw.
  std::size_t riveja() {
    odota();
    if (virhe_) {
      std::rethrow_exception(std::exchange(virhe_, nullptr));
    }
    return riveja_;
  }

 private:
  void tee() {
    const SaikeenVirheet virheet;  // this thread's, until its end
    try {
      riveja_ = k_.kasitteleRivit(era_, rivi_, ensimmainen_);
    } catch (...) {
      virhe_ = std::current_exception();
    }
  }
  void odota() {
    if (saie_.joinable()) {
      saie_.join();
    } else if (!tehty_) {
      tee();
    }
    tehty_ = true;
  }

  Kasittelija& k_;
  const std::string& era_;
  std::size_t rivi_;
  bool ensimmainen_;
  std::size_t riveja_ = 0;
  std::exception_ptr virhe_;
  bool tehty_ = false;
  std::thread saie_;
};

}  // namespace

// Standard input on both cores: two batches at a time, written in input
// order (bench/run.sh measures it against one core). Both workers run on
// threads of their own, also when one batch is answered alone: the calling
// thread's heap holds what both read (the settings, the writers), and a
// worker's short-lived strings beside them would share cache lines with
// them (bench/vertaa.sh). When no thread can be had, the calling thread
// does the work. The lines of a batch are as many as make about VASTAUS
// bytes of output, so that memory stays flat whatever each line makes.
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
    std::size_t riveja = 0;
    {
      Tyo tyoA(a, eraA, riviA, ensimmainen);
      std::optional<Tyo> tyoB;
      if (toinen) {
        tyoB.emplace(b, eraB, riviB, false);
      }
      riveja += tyoA.riveja();
      riveja += tyoB ? tyoB->riveja() : 0;
    }
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
