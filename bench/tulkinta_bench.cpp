#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "barcode/tulkinta.h"
#include "bench/viivakoodit.h"
#include "cli/koodaus.h"
#include "platform/utf8.h"

namespace {

// The report joined into one text, as the window shows it; with false, only
// its pieces, as kelvio writes them.
void BM_Tulkitse(benchmark::State& tila) {
  std::vector<std::u16string> koodit;
  for (int i = 0; i < 1024; ++i) {
    koodit.push_back(kelvio::utf16ksi(kelvio::bench::viivakoodi(static_cast<unsigned>(i))));
  }
  kelvio::Tulkinta t;
  t.kokoaRaportti = tila.range(0) != 0;
  std::size_t i = 0;
  for (auto _ : tila) {
    kelvio::tulkitse(koodit[i++ & 1023], kelvio::KaavaAsetukset::suomi(), t);
    benchmark::DoNotOptimize(t.raportti.data());
    benchmark::DoNotOptimize(t.palat[0].teksti.data());
  }
  tila.counters["viivakoodia/s"] =
      benchmark::Counter(static_cast<double>(tila.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Tulkitse)->Arg(1)->Arg(0);

// The command line's writers over one typical report.
template <char* (*Kirjoita)(char*, std::u16string_view)>
void BM_Koodaus(benchmark::State& tila) {
  const std::u16string raportti = kelvio::tulkitse(kelvio::utf16ksi(kelvio::bench::viivakoodi(1)),
                                                   kelvio::KaavaAsetukset::suomi());
  std::string ulos(raportti.size() * kelvio::VARA, '\0');
  for (auto _ : tila) {
    benchmark::DoNotOptimize(Kirjoita(ulos.data(), raportti));
  }
  tila.counters["raporttia/s"] =
      benchmark::Counter(static_cast<double>(tila.iterations()), benchmark::Counter::kIsRate);
}
char* rivit(char* p, std::u16string_view t) {
  return kelvio::kirjoitaRivit(p, t, "\n");
}
BENCHMARK(BM_Koodaus<rivit>)->Name("BM_Rivit");
BENCHMARK(BM_Koodaus<kelvio::kirjoitaJson>)->Name("BM_Json");

}  // namespace

BENCHMARK_MAIN();
