// The child process of the platform layer, with works of the test's own: on
// POSIX a fork runs them; on Windows this program started again runs them,
// so its main answers the hidden argument as kelvio.exe's does.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ajotarkistimet.h"
#include "lapsiprosessi.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvio {
namespace {

// What the argument asks: "kaiku:X" hands X back in two writes, "nuku"
// sleeps past any limit, "muisti" asks for more than its limit and says
// what it got, "kaadu" dies by a fault, "vaiti" fails without a word.
bool testityo(std::string_view argumentti, std::uint64_t muistia, const Lapsenkirjoitin& kirjoita) {
  if (argumentti.starts_with("kaiku:")) {
    const std::string_view x = argumentti.substr(6);
    return kirjoita(x.substr(0, x.size() / 2)) && kirjoita(x.substr(x.size() / 2));
  }
  if (argumentti == "nuku") {
    std::this_thread::sleep_for(std::chrono::hours(1));
  }
  if (argumentti == "muisti") {
    try {
      const std::vector<char> paljon(static_cast<std::size_t>(2 * muistia), 1);
      return kirjoita("sai " + std::to_string(paljon.size()));
    } catch (const std::bad_alloc&) {
      return kirjoita("ei riitä, raja " + std::to_string(muistia >> 20) + " MiB");
    }
  }
  if (argumentti == "kaadu") {
    volatile int* p = nullptr;
    *p = 1;  // NOLINT(clang-analyzer-core.NullDereference): the crash asked for
  }
  return false;
}

TEST(Lapsiprosessi, TavutTakaisin) {
  const std::string pitka(300000, 'x');  // more than a pipe holds at once
  const Lapsentulos t = ajaLapsessa(testityo, "kaiku:alku" + pitka + "loppu", Lapsiraja{});
  ASSERT_EQ(t.loppu, Lapsenloppu::Valmis) << t.kuvaus;
  EXPECT_EQ(t.tavut, "alku" + pitka + "loppu");
}

TEST(Lapsiprosessi, AikaLoppuu) {
  Lapsiraja raja;
  raja.sekunteja = 1;
  const auto alku = std::chrono::steady_clock::now();
  const Lapsentulos t = ajaLapsessa(testityo, "nuku", raja);
  EXPECT_EQ(t.loppu, Lapsenloppu::AikaLoppui);
  EXPECT_TRUE(t.tavut.empty());
  // Ended at its limit, not at the end of its hour.
  EXPECT_LT(std::chrono::steady_clock::now() - alku, std::chrono::minutes(1));
}

TEST(Lapsiprosessi, MuistiRajattu) {
#ifdef KELVIO_ASAN
  GTEST_SKIP() << "AddressSanitizer's shadow memory needs no address-space limit";
#endif
#ifdef _WIN32
  // Wine keeps a Job object's other limits but not this one.
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
    GTEST_SKIP() << "Wine does not enforce JOB_OBJECT_LIMIT_PROCESS_MEMORY";
  }
#endif
  Lapsiraja raja;
  raja.muistia = 512ULL << 20;
  const Lapsentulos t = ajaLapsessa(testityo, "muisti", raja);
  ASSERT_EQ(t.loppu, Lapsenloppu::Valmis) << t.kuvaus;
  EXPECT_EQ(t.tavut, "ei riitä, raja 512 MiB");
}

TEST(Lapsiprosessi, KaatuminenJaVaikeneminen) {
  const Lapsentulos kaatui = ajaLapsessa(testityo, "kaadu", Lapsiraja{});
  EXPECT_EQ(kaatui.loppu, Lapsenloppu::Kaatui);
#ifndef KELVIO_ASAN                     // which reports the fault and exits instead
  EXPECT_FALSE(kaatui.kuvaus.empty());  // the signal or the exception
#endif
  EXPECT_TRUE(kaatui.tavut.empty());
  const Lapsentulos vaiti = ajaLapsessa(testityo, "vaiti", Lapsiraja{});
  EXPECT_EQ(vaiti.loppu, Lapsenloppu::Kaatui);
  EXPECT_TRUE(vaiti.kuvaus.empty());  // its own failure, no crash
}

}  // namespace
}  // namespace kelvio

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  if (argc == 2 &&
      std::u16string_view(reinterpret_cast<const char16_t*>(argv[1])) == kelvio::LAPSEN_VALITSIN) {
    return kelvio::lapsenPaaohjelma(kelvio::testityo);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
#else
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
#endif
