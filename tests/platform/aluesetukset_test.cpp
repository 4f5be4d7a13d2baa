// The date and time patterns of the regional settings.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "aluesetukset.h"
#include "kalenteri.h"
#include "utf8.h"

namespace kelvio {
namespace {

std::string u8(std::u16string_view t) {
  return utf8ksi(t);
}

TEST(Aikakaava, Taulukko) {
  const Paivays pvm{2025, 3, 7};
  const Kellonaika aika{14, 5, 9};
  const std::pair<const char16_t*, const char*> rivit[] = {
      {u"d.M.yyyy", "7.3.2025"},
      {u"dd.MM.yyyy", "07.03.2025"},
      {u"yyyy-MM-dd", "2025-03-07"},
      {u"M/d/yy", "3/7/25"},
      {u"y", "25"},
      {u"H.mm.ss", "14.05.09"},
      {u"HH:mm:ss", "14:05:09"},
      {u"h:mm tt", "2:05 ip."},
      {u"hh t", "02 i"},
      {u"H m s", "14 5 9"},
      {u"'klo' H", "klo 14"},
      {u"d 'd''s' M", "7 d's 3"},
      {u"''d", "'7"},
      {u"ddd dddd", "pe perjantai"},
      {u"MMM MMMM", "maalis maaliskuu"},
      // after a day number the genitive; before one, or after a weekday, not
      {u"d. MMMM yyyy", "7. maaliskuuta 2025"},
      {u"dd MMMM", "07 maaliskuuta"},
      {u"MMMM d", "maaliskuu 7"},
      {u"dddd MMMM", "perjantai maaliskuu"},
      {u"d. MMM", "7. maalis"},
      {u"g yyyy", "g 2025"},
      {u"'auki", "auki"},
      {u"H.mm'", "14.05"},  // a quote that opens nothing at the end
      {u"H 'h'", "14 h"},
      {u"'d''", "d'"},  // a doubled quote at the end of an unclosed literal
      {u"", ""},
  };
  for (const auto& [kaava, odotettu] : rivit) {
    std::u16string t;
    Aikakaava(kaava).kirjoita(t, pvm, aika);
    EXPECT_EQ(u8(t), odotettu) << u8(kaava);
  }
  // The year in one, two and four digits: without the century, with a zero
  // in front of a one-digit year, and whole.
  struct Vuosi {
    int vuosi;
    const char *y, *yy, *yyyy;
  };
  const Vuosi vuodet[] = {{2005, "5", "05", "2005"},
                          {2000, "0", "00", "2000"},
                          {1999, "99", "99", "1999"},
                          {2100, "0", "00", "2100"},
                          {999, "99", "99", "0999"}};
  for (const Vuosi& v : vuodet) {
    for (const auto& [kaava, odotettu] :
         {std::pair{u"y", v.y}, std::pair{u"yy", v.yy}, std::pair{u"yyyy", v.yyyy}}) {
      std::u16string t;
      Aikakaava(kaava).kirjoita(t, Paivays{v.vuosi, 3, 7}, aika);
      EXPECT_EQ(u8(t), odotettu) << v.vuosi << " " << u8(kaava);
    }
  }
  // Midnight is 12 before noon, noon 12 after it.
  const std::pair<int, const char*> tunnit[] = {
      {0, "12 ap."}, {11, "11 ap."}, {12, "12 ip."}, {13, "01 ip."}, {23, "11 ip."}};
  for (const auto& [tunti, odotettu] : tunnit) {
    std::u16string t;
    Aikakaava(u"hh tt").kirjoita(t, pvm, Kellonaika{tunti, 0, 0});
    EXPECT_EQ(u8(t), odotettu) << tunti;
  }
  // The first and the last month by name; a month that no date holds has none.
  const std::pair<int, const char*> kuut[] = {
      {1, "tammi tammikuu"}, {12, "joulu joulukuu"}, {0, " "}, {13, " "}};
  for (const auto& [kuukausi, odotettu] : kuut) {
    std::u16string t;
    Aikakaava(u"MMM MMMM").kirjoita(t, Paivays{2025, kuukausi, 7}, aika);
    EXPECT_EQ(u8(t), odotettu) << kuukausi;
  }
}

}  // namespace
}  // namespace kelvio
