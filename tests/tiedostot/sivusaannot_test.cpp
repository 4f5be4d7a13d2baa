// The rules of a page and a file: one record per payment with every copy of
// it, and a conflict wherever copies differ.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sivu.h"
#include "sivusaannot.h"

namespace kelvio {
namespace {

// FI21 1234 5600 0007 85, reference 1234561, 1 500,00 €, due 31.12.2025.
const std::string V4 = "421123456000007850015000000000000000000001234561251231";
// The same account, RF18 5390 0754 7034, 10,00 €, no due date.
const std::string V5 = "521123456000007850000100018000000000539007547034000000";
// V4 to another account.
const std::string V4_TOINEN = "442123456000007850015000000000000000000001234561251231";
const std::string IBAN = "FI2112345600000785";

std::string epc(const std::string& iban, const std::string& summa, const std::string& viite,
                const std::string& paiva = "") {
  return "BCD\n002\n1\nSCT\n\nYritys Oy\n" + iban + "\n" + summa + "\n\n" + viite + "\n\n" +
         (paiva.empty() ? "" : "ReqdExctnDt/" + paiva);
}

constexpr unsigned S = lahdeBitti(Lahde::Viivakoodi);
constexpr unsigned T = lahdeBitti(Lahde::Teksti);
constexpr unsigned Q = lahdeBitti(Lahde::Qr);
constexpr unsigned F = lahdeBitti(Lahde::Finvoice);
constexpr unsigned M = lahdeBitti(Lahde::Maksutiedot);

struct Odotettu {
  std::string teksti;
  unsigned lahteet;
};

struct Rivi {
  const char* saanto;
  Sivutulos sivu;
  std::vector<Odotettu> tietueet;
  std::vector<Maksukentta> erot;  // empty: no conflict
};

Sivutulos sivu(std::vector<Loyto> koodit, std::vector<std::string> tilit = {},
               std::vector<std::int64_t> summat = {}) {
  Sivutulos s;
  s.koodit = std::move(koodit);
  s.tekstikerros = true;
  s.tilit = std::move(tilit);
  s.summat = std::move(summat);
  return s;
}

TEST(Sivusaannot, KokoaSivu) {
  const std::string qr = epc(IBAN, "EUR1500.00", "1234561", "2025-12-31");
  const std::string url = "https://example.com/lasku";
  using K = Maksukentta;
  const Rivi rivit[] = {
      {"a symbol alone", sivu({{Lahde::Viivakoodi, V4, 0.9}}), {{V4, S}}, {}},
      {"symbol and digits agree: one record of both",
       sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Teksti, V4, 0.8}}),
       {{V4, S | T}},
       {}},
      {"symbol and digits differ: both, a conflict in the fields that differ",
       sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Teksti, V5, 0.8}}),
       {{V5, T}, {V4, S}},
       {K::Viite, K::Summa}},
      {"the same symbol twice is one record",
       sivu({{Lahde::Viivakoodi, V4, 0.5}, {Lahde::Viivakoodi, V4, 0.9}}),
       {{V4, S}},
       {}},
      {"an EPC QR code of the same payment joins the barcode",
       sivu({{Lahde::Qr, qr, 0.1}, {Lahde::Viivakoodi, V4, 0.9}}),
       {{V4, S | Q}},
       {}},
      {"a QR code without amount or date agrees as far as it goes",
       sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Qr, epc(IBAN, "", "1234561"), 0.1}}),
       {{V4, S | Q}},
       {}},
      {"a QR code to another account",
       sivu({{Lahde::Viivakoodi, V4, 0.9},
             {Lahde::Qr, epc("FI4250001510000023", "EUR1500.00", "1234561"), 0.1}}),
       {{"", Q}, {V4, S}},
       {K::Tili}},
      {"a QR code of another amount",
       sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Qr, epc(IBAN, "EUR1400.00", "1234561"), 0.1}}),
       {{"", Q}, {V4, S}},
       {K::Summa}},
      {"forged digits in white text beside the original: two payments on one page",
       sivu({{Lahde::Viivakoodi, V5, 0.9}, {Lahde::Teksti, V5, 0.8}, {Lahde::Teksti, V4, 0.2}}),
       {{V4, T}, {V5, S | T}},
       {K::Viite, K::Summa}},
      {"a QR code that is no payment stays its own, no conflict",
       sivu({{Lahde::Qr, url, 0.1}, {Lahde::Viivakoodi, V4, 0.9}}),
       {{url, Q}, {V4, S}},
       {}},
      {"a Code 128 that is no bank barcode is no payment",
       sivu({{Lahde::Viivakoodi, "ABC-123", 0.9}, {Lahde::Teksti, V4, 0.8}}),
       {{V4, T}, {"ABC-123", S}},
       {}},
      {"the page prints the account among others",
       sivu({{Lahde::Viivakoodi, V4, 0.9}}, {"FI4250001510000023", IBAN}),
       {{V4, S}},
       {}},
      {"the page prints only another account",
       sivu({{Lahde::Viivakoodi, V4, 0.9}}, {"FI4250001510000023"}),
       {{V4, S}},
       {K::Tili}},
      {"the page prints the sum among many amounts",
       sivu({{Lahde::Viivakoodi, V4, 0.9}}, {}, {24000, 150000, 12000}),
       {{V4, S}},
       {}},
      {"the page prints amounts, none the codes' sum",
       sivu({{Lahde::Viivakoodi, V4, 0.9}}, {}, {24000, 12000}),
       {{V4, S}},
       {K::Summa}},
      {"top to bottom by the highest copy of each",
       sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Teksti, V5, 0.5}, {Lahde::Teksti, V4, 0.1}}),
       {{V4, S | T}, {V5, T}},
       {K::Viite, K::Summa}},
      {"a Finvoice barcode and its payment details agree",
       sivu({{Lahde::Finvoice, V4, 0}, {Lahde::Maksutiedot, V4, 0}}),
       {{V4, F | M}},
       {}},
      {"a Finvoice barcode and its payment details differ",
       sivu({{Lahde::Finvoice, V5, 0}, {Lahde::Maksutiedot, V4, 0}}),
       {{V5, F}, {V4, M}},
       {K::Viite, K::Summa}},
  };
  for (const Rivi& r : rivit) {
    const std::vector<Koodi> koodit = kokoaSivu(r.sivu);
    ASSERT_EQ(koodit.size(), r.tietueet.size()) << r.saanto;
    for (std::size_t i = 0; i < koodit.size(); ++i) {
      if (!r.tietueet[i].teksti.empty()) {
        EXPECT_EQ(koodit[i].teksti, r.tietueet[i].teksti) << r.saanto << " #" << i;
      }
      EXPECT_EQ(koodit[i].lahteet, r.tietueet[i].lahteet) << r.saanto << " #" << i;
      EXPECT_EQ(koodit[i].ristiriita, !r.erot.empty()) << r.saanto << " #" << i;
      std::vector<Maksukentta> erot;
      for (const Ero& e : koodit[i].erot) {
        erot.push_back(e.kentta);
      }
      EXPECT_EQ(erot, r.erot) << r.saanto << " #" << i;
    }
  }
}

// Which copies say what: the values of a differing field, each with its sources.
TEST(Sivusaannot, EronArvot) {
  const std::vector<Koodi> koodit = kokoaSivu(
      sivu({{Lahde::Viivakoodi, V4, 0.9}, {Lahde::Qr, epc(IBAN, "EUR1500.00", "1234561"), 0.1}},
           {"FI4250001510000023"}));
  ASSERT_EQ(koodit.size(), 1U);
  ASSERT_EQ(koodit[0].erot.size(), 1U);
  const Ero& e = koodit[0].erot[0];
  EXPECT_EQ(e.kentta, Maksukentta::Tili);
  ASSERT_EQ(e.arvot.size(), 2U);
  EXPECT_EQ(e.arvot[0].lahteet, (std::vector<std::string>{"barcode", "qr"}));
  EXPECT_EQ(e.arvot[0].arvo, IBAN);
  EXPECT_EQ(e.arvot[1].lahteet, (std::vector<std::string>{"printed"}));
  EXPECT_EQ(e.arvot[1].arvo, "FI4250001510000023");
}

// A scan has no printed text to compare with, and says so.
TEST(Sivusaannot, IlmanTekstia) {
  Sivutulos s = sivu({{Lahde::Viivakoodi, V4, 0.9}});
  s.tekstikerros = false;
  EXPECT_FALSE(kokoaSivu(s)[0].verrattu);
  EXPECT_TRUE(kokoaSivu(sivu({{Lahde::Viivakoodi, V4, 0.9}}))[0].verrattu);
}

// Payments of one file to two accounts, on different pages: every payment
// record of the file is a conflict, the account named by page.
TEST(Sivusaannot, VertaaSivuja) {
  std::vector<std::vector<Koodi>> sivut = {kokoaSivu(sivu({{Lahde::Viivakoodi, V4, 0.9}})),
                                           kokoaSivu(sivu({{Lahde::Viivakoodi, V4_TOINEN, 0.9}})),
                                           kokoaSivu(sivu({{Lahde::Qr, "https://x", 0.1}}))};
  vertaaSivuja(sivut);
  for (std::size_t s = 0; s < 2; ++s) {
    ASSERT_EQ(sivut[s][0].erot.size(), 1U);
    EXPECT_TRUE(sivut[s][0].ristiriita);
    const Ero& e = sivut[s][0].erot[0];
    ASSERT_EQ(e.arvot.size(), 2U);
    EXPECT_EQ(e.arvot[0].lahteet, std::vector<std::string>{"page 1"});
    EXPECT_EQ(e.arvot[1].lahteet, std::vector<std::string>{"page 2"});
    EXPECT_EQ(e.arvot[1].arvo, "FI4212345600000785");
  }
  EXPECT_FALSE(sivut[2][0].ristiriita);  // no payment
  // One account on every page: nothing to say.
  std::vector<std::vector<Koodi>> samat = {kokoaSivu(sivu({{Lahde::Viivakoodi, V4, 0.9}})),
                                           kokoaSivu(sivu({{Lahde::Viivakoodi, V5, 0.9}}))};
  vertaaSivuja(samat);
  EXPECT_FALSE(samat[0][0].ristiriita);
  EXPECT_FALSE(samat[1][0].ristiriita);
}

// A page of words only: the printed code, placed by its top on the page, and
// the IBANs and amounts it prints.
TEST(Sivusaannot, SivunSanat) {
  Sivu s;
  s.sanat =
      sanatTekstista("Tilille FI21 1234 5600 0007 85\nYhteensä 1 500,00 €\n\nViivakoodi: " + V4);
  s.sanojenKorkeus = 8;
  const Sivutulos t = sivunKoodit(s);
  ASSERT_EQ(t.koodit.size(), 1U);
  EXPECT_EQ(t.koodit[0].lahde, Lahde::Teksti);
  EXPECT_EQ(t.koodit[0].teksti, V4);
  EXPECT_DOUBLE_EQ(t.koodit[0].y, 3.0 / 8);
  EXPECT_EQ(t.tilit, std::vector<std::string>{IBAN});
  EXPECT_NE(std::find(t.summat.begin(), t.summat.end(), 150000), t.summat.end());
  EXPECT_TRUE(t.tekstikerros);
}

}  // namespace
}  // namespace kelvio
