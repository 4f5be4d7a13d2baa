// The rules of a page: one record per distinct code, and the conflict
// between a bank barcode symbol and the digits printed for people.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sivu.h"
#include "sivusaannot.h"

namespace kelvio {
namespace {

const std::string V4 = "421123456000007850015000000000000000000001234561251231";
const std::string V5 = "521123456000007850000100018000000000539007547034000000";
constexpr unsigned S = lahdeBitti(Lahde::Viivakoodi);
constexpr unsigned T = lahdeBitti(Lahde::Teksti);
constexpr unsigned Q = lahdeBitti(Lahde::Qr);

struct Odotettu {
  std::string teksti;
  unsigned lahteet;
  bool ristiriita;
};

struct Rivi {
  const char* saanto;
  std::vector<Loyto> loydot;
  std::vector<Odotettu> koodit;
};

TEST(Sivusaannot, KokoaSivu) {
  const Rivi rivit[] = {
      {"a symbol alone", {{Lahde::Viivakoodi, V4, 0.9, {}}}, {{V4, S, false}}},
      {"symbol and digits agree: one record of both",
       {{Lahde::Viivakoodi, V4, 0.9, {}}, {Lahde::Teksti, V4, 0.8, {}}},
       {{V4, S | T, false}}},
      {"symbol and digits differ: a conflict on both",
       {{Lahde::Viivakoodi, V4, 0.9, {}}, {Lahde::Teksti, V5, 0.8, {}}},
       {{V5, T, true}, {V4, S, true}}},
      {"the same symbol twice is one record",
       {{Lahde::Viivakoodi, V4, 0.5, {}}, {Lahde::Viivakoodi, V4, 0.9, {}}},
       {{V4, S, false}}},
      {"a QR code of the same text stays apart",
       {{Lahde::Qr, V4, 0.1, {}}, {Lahde::Viivakoodi, V4, 0.9, {}}},
       {{V4, Q, false}, {V4, S, false}}},
      {"an agreeing pair and a second printed code: no symbol stands alone",
       {{Lahde::Viivakoodi, V4, 0.9, {}},
        {Lahde::Teksti, V4, 0.8, {}},
        {Lahde::Teksti, V5, 0.2, {}}},
       {{V5, T, false}, {V4, S | T, false}}},
      {"a Code 128 that is no bank barcode is no side of a conflict",
       {{Lahde::Viivakoodi, "ABC-123", 0.9, {}}, {Lahde::Teksti, V4, 0.8, {}}},
       {{V4, T, false}, {"ABC-123", S, false}}},
      {"top to bottom by the highest find",
       {{Lahde::Viivakoodi, V5, 0.5, {}},
        {Lahde::Viivakoodi, V4, 0.7, {}},
        {Lahde::Teksti, V4, 0.1, {}}},
       {{V4, S | T, false}, {V5, S, false}}},
  };
  for (const Rivi& r : rivit) {
    const std::vector<Koodi> koodit = kokoaSivu(r.loydot);
    ASSERT_EQ(koodit.size(), r.koodit.size()) << r.saanto;
    for (std::size_t i = 0; i < koodit.size(); ++i) {
      EXPECT_EQ(koodit[i].teksti, r.koodit[i].teksti) << r.saanto << " #" << i;
      EXPECT_EQ(koodit[i].lahteet, r.koodit[i].lahteet) << r.saanto << " #" << i;
      EXPECT_EQ(koodit[i].ristiriita, r.koodit[i].ristiriita) << r.saanto << " #" << i;
    }
  }
}

// A page of words only: the printed code, placed by its top on the page.
TEST(Sivusaannot, SivunSanat) {
  Sivu sivu;
  sivu.sanat = sanatTekstista("\n\n\nViivakoodi: " + V4);
  sivu.sanojenKorkeus = 8;
  const std::vector<Loyto> loydot = sivunKoodit(sivu);
  ASSERT_EQ(loydot.size(), 1U);
  EXPECT_EQ(loydot[0].lahde, Lahde::Teksti);
  EXPECT_EQ(loydot[0].teksti, V4);
  EXPECT_DOUBLE_EQ(loydot[0].y, 3.0 / 8);
}

}  // namespace
}  // namespace kelvio
