#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "koodaus.h"
#include "tulkinta.h"
#include "utf8.h"
#include "viivakoodit.h"

namespace {

std::vector<std::u16string> koodit() {
  std::vector<std::u16string> k;
  for (int i = 0; i < 1024; ++i) {
    k.push_back(kelvio::utf16ksi(kelvio::bench::viivakoodi(static_cast<unsigned>(i))));
  }
  return k;
}

// One barcode to its report and fields, as the window and kelvio run it.
void BM_Tulkitse(benchmark::State& tila) {
  const std::vector<std::u16string> k = koodit();
  std::size_t i = 0;
  for (auto _ : tila) {
    const kelvio::Tulkinta t = kelvio::tulkitse(k[i++ & 1023], kelvio::KaavaAsetukset::suomi());
    benchmark::DoNotOptimize(t.raportti.data());
  }
  tila.counters["viivakoodia/s"] =
      benchmark::Counter(static_cast<double>(tila.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Tulkitse);

// The command line's writers over one typical report.
void BM_Rivit(benchmark::State& tila) {
  const std::u16string raportti = kelvio::tulkitse(kelvio::utf16ksi(kelvio::bench::viivakoodi(1)),
                                                   kelvio::KaavaAsetukset::suomi())
                                      .raportti;
  std::string ulos;
  for (auto _ : tila) {
    ulos.clear();
    kelvio::lisaaRivit(ulos, raportti, "\n");
    benchmark::DoNotOptimize(ulos.data());
  }
}
BENCHMARK(BM_Rivit);

void BM_Json(benchmark::State& tila) {
  const std::u16string raportti = kelvio::tulkitse(kelvio::utf16ksi(kelvio::bench::viivakoodi(1)),
                                                   kelvio::KaavaAsetukset::suomi())
                                      .raportti;
  std::string ulos;
  for (auto _ : tila) {
    ulos.clear();
    kelvio::lisaaJson(ulos, raportti);
    benchmark::DoNotOptimize(ulos.data());
  }
}
BENCHMARK(BM_Json);

}  // namespace

BENCHMARK_MAIN();
