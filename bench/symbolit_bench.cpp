// kelvio read's tricks beside their plain baselines, on an A4 page at
// 300 dpi with the bank barcode at the bottom, as a giro form prints it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>

#include "dekooderit.h"
#include "lapsiprosessi.h"
#include "tiedosto.h"

namespace {

// Each iteration reads the one-page PDF of KELVIO_BENCH_SIVU in a process
// forked for it: lue(nimi, plain or not) is true when the PDF was read.
// These run first, before the others fill this process's heap and start
// threads, which a fork would keep.
template <class Lue>
void lapsessa(benchmark::State& tila, Lue lue) {
  const char* nimi = std::getenv("KELVIO_BENCH_SIVU");
  if (nimi == nullptr) {
    tila.SkipWithError("KELVIO_BENCH_SIVU names no PDF");
    return;
  }
  for (auto _ : tila) {
    const pid_t lapsi = fork();
    if (lapsi == 0) {
      _exit(lue(nimi, tila.range(0) == 0) ? 0 : 1);
    }
    int tulos = 0;
    waitpid(lapsi, &tulos, 0);
    if (!WIFEXITED(tulos) || WEXITSTATUS(tulos) != 0) {
      tila.SkipWithError("the PDF was not read");
      break;
    }
  }
}

// Read as a folder's files are: its child forked from a worker thread, the
// first thread of a process as in kelvio read. Plain: the thread's own heap;
// then with the threads sharing the main one.
void BM_LapsiSaikeesta(benchmark::State& tila) {
  lapsessa(tila, [](const char* nimi, bool tavallinen) {
    if (!tavallinen) {
      kelvio::kekoYhteinenSaikeille();
    }
    bool luettu = false;
    std::thread t([&] { luettu = kelvio::lueEristettyna(nimi, kelvio::Rajat{}).luettu; });
    t.join();
    return luettu;
  });
}
BENCHMARK(BM_LapsiSaikeesta)
    ->ArgName("yhteinen")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first page of a fresh process, as each file's child reads it. Plain:
// buffers kept in the heap; then with the heap grown beforehand in huge
// pages.
void BM_EnsimmainenSivu(benchmark::State& tila) {
  lapsessa(tila, [](const char* nimi, bool tavallinen) {
    kelvio::pidaPuskuritKeossa();
    if (!tavallinen) {
      kelvio::esivaraaSuuretSivut();
    }
    return kelvio::lueTiedosto(nimi, kelvio::Rajat{}).luettu;
  });
}
BENCHMARK(BM_EnsimmainenSivu)
    ->ArgName("suuret")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

constexpr int LEVEYS = 2480;  // A4 at 300 dpi
constexpr int KORKEUS = 3508;

// The symbol of 0.25 mm modules (2.95 pixels), its edges grey as a
// renderer leaves them.
const std::vector<unsigned char>& sivu() {
  static const std::vector<unsigned char> s = [] {
    std::vector<unsigned char> p(static_cast<std::size_t>(LEVEYS) * KORKEUS, 255);
    const ZXing::BitMatrix m =
        ZXing::MultiFormatWriter(ZXing::BarcodeFormat::Code128)
            .setMargin(0)
            .encode("521123456000007850000150000000000000000001234561251231", 1, 1);
    const double moduuli = 300 / 25.4 * 0.25;
    for (int x = 0; x < static_cast<int>(m.width() * moduuli) + 1; ++x) {
      double musta = 0;  // the share of this pixel column under bars
      for (int i = 0; i < m.width(); ++i) {
        const double alku = std::max<double>(x, i * moduuli);
        const double loppu = std::min<double>(x + 1, (i + 1) * moduuli);
        if (m.get(i, 0) && loppu > alku) {
          musta += loppu - alku;
        }
      }
      for (int y = 3000; y < 3000 + 154; ++y) {
        p[static_cast<std::size_t>(y) * LEVEYS + 120 + x] =
            static_cast<unsigned char>(255 - std::lround(255 * musta));
      }
    }
    return p;
  }();
  return s;
}

// A page with nothing to find: the reader's every fallback runs.
const std::vector<unsigned char>& tyhja() {
  static const std::vector<unsigned char> s(static_cast<std::size_t>(LEVEYS) * KORKEUS, 255);
  return s;
}

// Plain: one look with rotations and downscaling on, as ZXingReader does.
// Argument 1: the page with the symbol; 0: the empty page.
void BM_Symbolit_YksiKatse(benchmark::State& tila) {
  ZXing::DecodeHints vihjeet;
  vihjeet.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode);
  const auto& s = tila.range(0) != 0 ? sivu() : tyhja();
  const ZXing::ImageView kuva(s.data(), LEVEYS, KORKEUS, ZXing::ImageFormat::Lum);
  for (auto _ : tila) {
    if (ZXing::ReadBarcodes(kuva, vihjeet).size() != static_cast<std::size_t>(tila.range(0))) {
      tila.SkipWithError("the page was not read as it is");
      break;
    }
  }
}
BENCHMARK(BM_Symbolit_YksiKatse)->ArgName("koodi")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Symbolit_etsiSymbolit(benchmark::State& tila) {
  const auto& s = tila.range(0) != 0 ? sivu() : tyhja();
  for (auto _ : tila) {
    if (kelvio::etsiSymbolit(s.data(), LEVEYS, KORKEUS, LEVEYS).size() !=
        static_cast<std::size_t>(tila.range(0))) {
      tila.SkipWithError("the page was not read as it is");
      break;
    }
  }
}
BENCHMARK(BM_Symbolit_etsiSymbolit)
    ->ArgName("koodi")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

// A PDF read in this process (the file named by KELVIO_BENCH_PDF; bench/lue.sh
// makes one): plain, with glibc's default for blocks of a page's size; then
// with the buffers kept in the heap, as the decoding process sets it.
void BM_LuePdf(benchmark::State& tila) {
  const char* nimi = std::getenv("KELVIO_BENCH_PDF");
  std::ifstream f(nimi != nullptr ? nimi : "", std::ios::binary);
  const std::string pdf{std::istreambuf_iterator<char>(f), {}};
  if (pdf.empty()) {
    tila.SkipWithError("KELVIO_BENCH_PDF names no PDF");
    return;
  }
  if (tila.range(0) != 0) {
    kelvio::pidaPuskuritKeossa();
  }
  for (auto _ : tila) {
    benchmark::DoNotOptimize(
        kelvio::luePdf(pdf, kelvio::Rajat{}, [](std::size_t, const kelvio::Sivu& sivu) {
          benchmark::DoNotOptimize(kelvio::sivunKoodit(sivu).koodit.size());
        }).luettu);
  }
}
BENCHMARK(BM_LuePdf)->ArgName("keossa")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
