// Work done in a child process whose memory and time are bounded and which
// ends with its parent: whatever happens to it (a crash in a decoder, a
// decompression bomb) ends only that child. On POSIX the child is a fork of
// this process; on Windows this program started again with LAPSEN_VALITSIN,
// in a Job object. The argument and the result are bytes through pipes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kelvio {

struct Lapsiraja {
  std::uint64_t muistia = 0;  // address space (committed memory on Windows); 0: none
  int sekunteja = 300;        // wall time
  unsigned ytimia = 1;        // CPU time is sekunteja on each of these
};

enum class Lapsenloppu { Valmis, AikaLoppui, Kaatui, EiAlkanut };

struct Lapsentulos {
  Lapsenloppu loppu = Lapsenloppu::EiAlkanut;
  std::string tavut;   // Valmis: all the work handed back
  std::string kuvaus;  // EiAlkanut: why, in Finnish; Kaatui: the signal or exception, if any
};

// The child's work: from the argument and the memory it may use (the lower
// of the limit and the caller's own; 0: no limit), bytes handed back through
// kirjoita as they are ready (false: the parent is gone). True when all were.
using Lapsenkirjoitin = std::function<bool(std::string_view tavut)>;
using Lapsentyo = bool (*)(std::string_view argumentti, std::uint64_t muistia,
                           const Lapsenkirjoitin& kirjoita);

Lapsentulos ajaLapsessa(Lapsentyo tyo, std::string_view argumentti, const Lapsiraja& raja);

// The hidden first argument of a child started by ajaLapsessa on Windows.
inline constexpr std::u16string_view LAPSEN_VALITSIN = u"--kelvio-lapsi";
// The child's side on Windows: the argument from standard input, the result
// to standard output. The exit status.
int lapsenPaaohjelma(Lapsentyo tyo);

// Lets a decoding process reuse its large buffers, page after page.
void pidaPuskuritKeossa();
// After pidaPuskuritKeossa: grows the heap beforehand in huge pages, where
// the system gives them, so that the first page's bitmap faults in fast.
void esivaraaSuuretSivut();
// Before the threads that call ajaLapsessa start: they share the main
// thread's heap, so that a child forked from any of them decodes in the heap
// the two above prepare, not in a thread's own small one.
void kekoYhteinenSaikeille();

}  // namespace kelvio
