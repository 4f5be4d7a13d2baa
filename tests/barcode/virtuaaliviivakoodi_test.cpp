// The finder of printed virtual barcodes, on words laid out as monospaced
// text: one space is a word gap, three or more part table cells.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "virtuaaliviivakoodi.h"

namespace kelvio {
namespace {

const std::string V4 = "421123456000007850015000000000000000000001234561251231";
const std::string V5 = "521123456000007850000100018000000000539007547034000000";

// The way invoices print it: the version, then groups of five.
std::string ryhmina(const std::string& koodi) {
  std::string t = koodi.substr(0, 1);
  for (std::size_t i = 1; i < koodi.size(); i += 5) {
    t += ' ';
    t += koodi.substr(i, 5);
  }
  return t;
}

std::vector<std::string> loydetyt(const std::string& teksti) {
  std::vector<std::string> tulos;
  for (const Virtuaalikoodi& k : etsiVirtuaaliviivakoodit(sanatTekstista(teksti))) {
    tulos.push_back(k.numerot);
  }
  return tulos;
}

struct Rivi {
  const char* saanto;
  std::string teksti;
  std::vector<std::string> odotettu;
};

TEST(Virtuaaliviivakoodi, Saannot) {
  const std::string g4 = ryhmina(V4);
  const std::string alku = g4.substr(0, 31);  // "4 21123 ... 00000", a group's end
  const std::string loppu = g4.substr(32);
  const Rivi rivit[] = {
      {"groups with a label", std::string("Virtuaaliviivakoodi: ") + g4, {V4}},
      {"one word of 54 digits", V4, {V4}},
      {"two spaces are still a word gap",
       std::string("4  ") + V4.substr(1, 20) + "  " + V4.substr(21),
       {V4}},
      {"no-break spaces part groups inside a word", std::string("4\xC2\xA0") + V4.substr(1), {V4}},
      {"glued to letters", std::string("abc") + V4 + "xyz", {}},
      {"glued to a letter on one side", std::string("x") + V4, {}},
      {"a full stop glued to the last group", g4 + ".", {}},
      {"a longer run of groups", std::string("12 ") + g4, {}},
      {"a longer run, the extra digits after", g4 + " 12", {}},
      {"a number in the cell before", std::string("500   ") + g4, {V4}},
      {"a number in the cell after", g4 + "   500,00", {V4}},
      {"the cell before one word gap away is part of the run", std::string("500 ") + g4, {}},
      {"53 digits", V4.substr(0, 53), {}},
      {"an unknown version", std::string("3") + V4.substr(1), {}},
      {"two codes in two cells", g4 + "   " + V5, {V4, V5}},
      {"two codes on two lines", g4 + "\n" + ryhmina(V5), {V4, V5}},
      {"over two lines, wrapped to the margin",
       std::string("Virtuaaliviivakoodi: ") + alku + "\n" + loppu,
       {V4}},
      {"over two lines, under the first group",
       std::string("Koodi: ") + alku + "\n       " + loppu,
       {V4}},
      {"the second line begins right of the run", alku + "\n          " + loppu, {}},
      {"a blank line between the halves", alku + "\n\n" + loppu, {}},
      {"the first half goes on with a word", alku + " euroa\n" + loppu, {}},
      {"a second line of a complete code stays its own", g4 + "\n" + g4, {V4, V4}},
      {"a column of labels beside the run: the next line's start is the labels'",
       std::string("Nimi     Koodi: ") + alku + "\n" + loppu,
       {}},
      {"over three lines",
       std::string("Koodi: ") + g4.substr(0, 13) + "\n" + g4.substr(14, 17) + "\n" + g4.substr(32),
       {V4}},
      {"over three lines, the third indented past the run",
       g4.substr(0, 13) + "\n" + g4.substr(14, 17) + "\n     " + g4.substr(32),
       {}},
  };
  for (const Rivi& r : rivit) {
    EXPECT_EQ(loydetyt(r.teksti), r.odotettu) << r.saanto << ": " << r.teksti;
  }
}

// Words of no height, no text or no place are passed over, not read.
TEST(Virtuaaliviivakoodi, RikkinaisetSanat) {
  std::vector<Sana> sanat = sanatTekstista(ryhmina(V4));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<Sana> rikki = {{"", 0, 0, 1, 1},
                                   {"4", 0, 5, 1, 5},
                                   {"4", nan, 0, 1, 1},
                                   {"4", 0, 0, nan, 1},
                                   {"4", 0, 0, 1, nan}};
  for (const Sana& s : rikki) {
    std::vector<Sana> kaikki = sanat;
    kaikki.insert(kaikki.begin(), s);
    EXPECT_EQ(etsiVirtuaaliviivakoodit(kaikki).size(), 1U) << s.teksti << " " << s.x0;
  }
}

// Each code at the top of its first word, top to bottom.
TEST(Virtuaaliviivakoodi, Paikka) {
  const auto koodit =
      etsiVirtuaaliviivakoodit(sanatTekstista(std::string("\n\nx   ") + V5 + "\n" + V4));
  ASSERT_EQ(koodit.size(), 2U);
  EXPECT_EQ(koodit[0].y, 2);
  EXPECT_EQ(koodit[1].y, 3);
}

}  // namespace
}  // namespace kelvio
