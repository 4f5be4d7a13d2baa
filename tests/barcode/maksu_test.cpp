// One payment in machine form from each kind of copy, and how two copies
// are compared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maksu.h"
#include "utf8.h"

namespace kelvio {
namespace {

struct Rivi {
  std::string koodi;
  std::string tili, viite, summa, paiva;  // as kentanArvo writes them
};

TEST(Maksu, ViivakoodinKentat) {
  const Rivi rivit[] = {
      {"421123456000007850015000000000000000000001234561251231", "FI2112345600000785", "1234561",
       "1500.00", "2025-12-31"},
      {"521123456000007850000100018000000000539007547034000000", "FI2112345600000785",
       "RF18539007547034", "10.00", ""},
      // Version 2: the domestic account as its IBAN, its check digits computed.
      {"291234500000123000123450000000000000001234525033100000", "FI0491234500000123", "12345",
       "123.45", "2025-03-31"},
      // Check digits of two figures: FI21.
      {"212345600000785000123450000000000000001234525033100000", "FI2112345600000785", "12345",
       "123.45", "2025-03-31"},
      {"212345600000010000123450000000000000001234525033100000", "FI9112345600000010", "12345",
       "123.45", "2025-03-31"},
      // No amount: zero cents; no due date: 000000.
      {"421123456000007850000000000000000000000001234561000000", "FI2112345600000785", "1234561",
       "", ""},
  };
  for (const Rivi& r : rivit) {
    const std::optional<Maksu> m = viivakoodinMaksu(r.koodi);
    ASSERT_TRUE(m) << r.koodi;
    EXPECT_EQ(kentanArvo(*m, Maksukentta::Tili), r.tili) << r.koodi;
    EXPECT_EQ(kentanArvo(*m, Maksukentta::Viite), r.viite) << r.koodi;
    EXPECT_EQ(kentanArvo(*m, Maksukentta::Summa), r.summa) << r.koodi;
    EXPECT_EQ(kentanArvo(*m, Maksukentta::Erapaiva), r.paiva) << r.koodi;
  }
  EXPECT_FALSE(viivakoodinMaksu("32112345600000785"));
  EXPECT_FALSE(viivakoodinMaksu(std::string(54, '3')));
}

TEST(Maksu, ViiteKoneelle) {
  const std::pair<const char*, const char*> rivit[] = {
      {"00000000000001234561", "1234561"},
      {"12 34561", "1234561"},
      {"RF18 5390 0754 7034", "RF18539007547034"},
      {"rf18000539007547034", "RF18539007547034"},
      {"RF18", "RF18"},
      {"", ""},
      {"000", ""},
  };
  for (const auto& [viite, odotettu] : rivit) {
    EXPECT_EQ(viiteKoneelle(viite), odotettu) << viite;
  }
}

TEST(Maksu, EroavatKentat) {
  Maksu a{"FI2112345600000785", "1234561", 150000, Paivays{2025, 12, 31}};
  Maksu b = a;
  EXPECT_TRUE(eroavatKentat(a, b).empty());
  // A field that one copy does not name is no difference.
  b.sentit.reset();
  b.eraPaiva.reset();
  EXPECT_TRUE(eroavatKentat(a, b).empty());
  b = {"FI4250001510000023", "RF18539007547034", 1000, Paivays{2025, 12, 30}};
  EXPECT_EQ(eroavatKentat(a, b),
            (std::vector<Maksukentta>{Maksukentta::Tili, Maksukentta::Viite, Maksukentta::Summa,
                                      Maksukentta::Erapaiva}));
  EpcMaksu e;
  e.iban = u"FI2112345600000785";
  e.viite = u"00001234561";
  e.sentit = 150000;
  const Maksu q = epcMaksu(e);
  EXPECT_TRUE(eroavatKentat(a, q).empty());
  EXPECT_EQ(kentanArvo(q, Maksukentta::Erapaiva), "");
  Maksu pieni;
  pieni.sentit = 5;
  EXPECT_EQ(kentanArvo(pieni, Maksukentta::Summa), "0.05");
}

}  // namespace
}  // namespace kelvio
