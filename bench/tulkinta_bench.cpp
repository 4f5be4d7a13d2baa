#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "barcode/tulkinta.h"
#include "bench/viivakoodit.h"
#include "platform/utf8.h"

namespace {

void BM_Tulkitse(benchmark::State& tila) {
  std::vector<std::u16string> koodit;
  for (int i = 0; i < 1024; ++i) {
    koodit.push_back(kelvio::utf16ksi(kelvio::bench::viivakoodi(static_cast<unsigned>(i))));
  }
  kelvio::Tulkinta t;
  std::size_t i = 0;
  for (auto _ : tila) {
    kelvio::tulkitse(koodit[i++ & 1023], kelvio::KaavaAsetukset::suomi(), t);
    benchmark::DoNotOptimize(t.raportti.data());
  }
  tila.counters["viivakoodia/s"] =
      benchmark::Counter(static_cast<double>(tila.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Tulkitse);

}  // namespace

BENCHMARK_MAIN();
