// The interpretation, and each optimisation that stays beside the plain
// baseline it must beat by 1.2 times (run by bench/run.sh).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "euro.h"
#include "koodaus.h"
#include "tavallinen.h"
#include "tulkinta.h"
#include "utf8.h"
#include "viivakoodit.h"

namespace {

using kelvio::KaavaAsetukset;

const std::u16string& raportti() {
  static const std::u16string r =
      kelvio::tulkitse(kelvio::utf16ksi(kelvio::bench::viivakoodi(1)), KaavaAsetukset::suomi())
          .raportti;
  return r;
}

void laske(benchmark::State& tila) {
  tila.counters["/s"] =
      benchmark::Counter(static_cast<double>(tila.iterations()), benchmark::Counter::kIsRate);
}

// One barcode to its report and fields, as the window and kelvio run it.
void BM_Tulkitse(benchmark::State& tila) {
  std::vector<std::u16string> koodit;
  for (int i = 0; i < 1024; ++i) {
    koodit.push_back(kelvio::utf16ksi(kelvio::bench::viivakoodi(static_cast<unsigned>(i))));
  }
  std::size_t i = 0;
  for (auto _ : tila) {
    const kelvio::Tulkinta t = kelvio::tulkitse(koodit[i++ & 1023], KaavaAsetukset::suomi());
    benchmark::DoNotOptimize(t.raportti.data());
  }
  laske(tila);
}
BENCHMARK(BM_Tulkitse);

// A field of digits read straight, and the same field read by the general
// reading (a space in front, which the reading drops, makes the routine take it).
void BM_Yleisval(benchmark::State& tila) {
  const std::u16string kentta = tila.range(0) != 0 ? u"00150000" : u" 00150000";
  for (auto _ : tila) {
    benchmark::DoNotOptimize(kelvio::fe_yleisval(kentta));
  }
  laske(tila);
}
BENCHMARK(BM_Yleisval)->ArgName("suoraan")->Arg(0)->Arg(1);

// The writers over one typical report: 0 the plain loop, 1 the block copies.
template <class Tavallinen, class Lohkoittain>
void kirjoittimet(benchmark::State& tila, Tavallinen tavallinen, Lohkoittain lohkoittain) {
  std::string ulos;
  for (auto _ : tila) {
    ulos.clear();
    if (tila.range(0) != 0) {
      lohkoittain(ulos, raportti());
    } else {
      tavallinen(ulos, raportti());
    }
    benchmark::DoNotOptimize(ulos.data());
  }
  laske(tila);
}

void BM_Utf8(benchmark::State& tila) {
  kirjoittimet(
      tila, [](std::string& s, std::u16string_view t) { kelvio::bench::utf8(s, t); },
      [](std::string& s, std::u16string_view t) { kelvio::utf8ksi(s, t); });
}
void BM_Rivit(benchmark::State& tila) {
  kirjoittimet(
      tila, [](std::string& s, std::u16string_view t) { kelvio::bench::rivit(s, t, "\n"); },
      [](std::string& s, std::u16string_view t) { kelvio::lisaaRaportti(s, t, "\n"); });
}
void BM_Json(benchmark::State& tila) {
  kirjoittimet(
      tila, [](std::string& s, std::u16string_view t) { kelvio::bench::json(s, t); },
      [](std::string& s, std::u16string_view t) { kelvio::lisaaJson(s, t); });
}
BENCHMARK(BM_Utf8)->ArgName("lohkoittain")->Arg(0)->Arg(1);
BENCHMARK(BM_Rivit)->ArgName("lohkoittain")->Arg(0)->Arg(1);
BENCHMARK(BM_Json)->ArgName("lohkoittain")->Arg(0)->Arg(1);

// An input line to UTF-16: 0 the plain loop, 1 with eight ASCII bytes at a time.
void BM_Utf16(benchmark::State& tila) {
  const std::string rivi = kelvio::bench::viivakoodi(1);
  std::u16string ulos;
  for (auto _ : tila) {
    ulos.clear();
    if (tila.range(0) != 0) {
      kelvio::utf16ksi(ulos, rivi);
    } else {
      kelvio::bench::utf16(ulos, rivi);
    }
    benchmark::DoNotOptimize(ulos.data());
  }
  laske(tila);
}
BENCHMARK(BM_Utf16)->ArgName("lohkoittain")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
