// What a page prints for people: its IBANs and its amounts, by the rules of
// tulosteet.h, one row each.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tulosteet.h"

namespace kelvio {
namespace {

TEST(Tulosteet, Tilit) {
  const std::pair<std::string, std::vector<std::string>> rivit[] = {
      {"Tilille FI21 1234 5600 0007 85", {"FI2112345600000785"}},
      {"FI2112345600000785", {"FI2112345600000785"}},
      {"IBAN: FI21 1234 5600 0007 85, BIC NDEAFIHH", {"FI2112345600000785"}},
      {"FI21 1234 5600 0007 85 FI42 5000 1510 0000 23",
       {"FI2112345600000785", "FI4250001510000023"}},
      {"aFI2112345600000785", {}},  // glued to a letter before
      {"AFI2112345600000785", {}},
      {"FI21 ", {}},  // a space at the end
      {"zFI2112345600000785", {}},
      {"9FI2112345600000785", {}},       // or to a digit
      {"FI21123456000007851", {}},       // 17 digits
      {"FI211234560000078", {}},         // 15 digits
      {"FI2112345600000785a", {}},       // glued to a letter after
      {"FI21  1234 5600 0007 85", {}},   // two spaces part it
      {"FI 2112345600000785", {}},       // no space after FI
      {"SE4550000000058398257466", {}},  // another country's
  };
  for (const auto& [rivi, odotettu] : rivit) {
    EXPECT_EQ(tulostetutTilit(rivi), odotettu) << rivi;
  }
}

bool sisaltaa(const std::vector<std::int64_t>& summat, std::int64_t sentit) {
  return std::find(summat.begin(), summat.end(), sentit) != summat.end();
}

TEST(Tulosteet, Summat) {
  struct Rivi {
    std::string rivi;
    std::vector<std::int64_t> on;
    std::vector<std::int64_t> eiOle;
  };
  const Rivi rivit[] = {
      {"Yhteensä 1 500,00 €", {150000}, {}},
      {"1500,00", {150000}, {}},
      {"1.500,00", {150000}, {}},
      {"1500.00", {150000}, {}},
      {"12,34", {1234}, {4334, 2134}},
      {"98,76 €", {9876}, {}},
      {"1\xC2\xA0"
       "234,56",
       {123456},
       {}},  // a no-break space between groups
      {"1\xE2\x80\xAF"
       "234,56",
       {123456},
       {}},
      {"3 1 500,00", {150000, 50000}, {31500}},  // "3 1" is no group of three
      {"12 345 678,90", {1234567890, 34567890, 67890}, {}},
      {"31.12.2025", {}, {311200, 3112, 1220}},  // a date is no amount
      {"1,005", {}, {100}},                      // three decimals
      {"1.5", {}, {150}},                        // one decimal
      {"Alv 24 % 290,32", {29032}, {2429032}},
      {"1 500 €", {150000}, {}},
      {"1 500 EUR", {150000}, {}},
      {"1500€", {150000}, {}},
      {"x12,34", {1234}, {}},
      {"12,34,5", {}, {1234}},  // more digits after another separator
      {"12,34.5", {}, {1234}},
      {"12,34. Kiitos", {1234}, {}},  // a full stop ends the sentence
      {"12,34,-", {1234}, {}},
      {"1234567890123456,00", {}, {23456789012345600}},  // more digits than an amount has
  };
  for (const Rivi& r : rivit) {
    const std::vector<std::int64_t> summat = tulostetutSummat(r.rivi);
    for (const std::int64_t s : r.on) {
      EXPECT_TRUE(sisaltaa(summat, s)) << r.rivi << ": " << s;
    }
    for (const std::int64_t s : r.eiOle) {
      EXPECT_FALSE(sisaltaa(summat, s)) << r.rivi << ": " << s;
    }
  }
  EXPECT_TRUE(tulostetutSummat("1,005 ja 31.12.2025").empty());
  // A line of many amounts keeps 256 of them.
  std::string monta;
  for (int i = 1; i <= 300; ++i) {
    monta += std::to_string(i) + ",00 ";
  }
  EXPECT_EQ(tulostetutSummat(monta).size(), 256U);
}

}  // namespace
}  // namespace kelvio
