// The command line's writers: rows from their rules, and random texts
// against the plain one-unit-at-a-time writers of bench/.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "koodaus.h"
#include "tavallinen.h"
#include "utf8.h"
#include "utf8_lohkot.h"

namespace kelvio {
namespace {

template <class F>
std::string aja(F kirjoittaja, std::u16string_view t) {
  std::string ulos = "<";  // what was there before stays
  kirjoittaja(ulos, t);
  return ulos.substr(1);
}

void kirjoitaUtf8(std::string& s, std::u16string_view t) {
  utf8ksi(s, t);
}
void kirjoitaRivit(std::string& s, std::u16string_view t) {
  lisaaRaportti(s, t, "\n");
}
void kirjoitaJson(std::string& s, std::u16string_view t) {
  lisaaJson(s, t);
}
void rivitTavallisesti(std::string& s, std::u16string_view t) {
  bench::rivit(s, t, "\n");
}

TEST(Koodaus, Taulukko) {
  struct Rivi {
    std::u16string teksti;
    const char* utf8;
    const char* rivit;
    const char* json;
  };
  const Rivi rivit[] = {
      {u"", "", "", ""},
      {u"abc", "abc", "abc", "abc"},
      {u"Eräpäivä = 1.1.2025\r\nSumma = 5 €", "Eräpäivä = 1.1.2025\r\nSumma = 5 €",
       "Eräpäivä = 1.1.2025\nSumma = 5 €", "Eräpäivä = 1.1.2025\\r\\nSumma = 5 €"},
      {u"1234567\r\n", "1234567\r\n", "1234567\n", "1234567\\r\\n"},
      {u"a\rb\nc\"d\\e\x01", "a\rb\nc\"d\\e\x01", "a\uFFFDb\uFFFDc\"d\\e\uFFFD",
       "a\\rb\\nc\\\"d\\\\e\\u0001"},
      // Terminal escapes, DEL and C1 from the input are defused; a tab stays.
      {u"\x1b]0;x\x07\t\x7f\x85y", "\x1b]0;x\x07\t\x7f\xC2\x85y", "\uFFFD]0;x\uFFFD\t\uFFFD\uFFFDy",
       "\\u001b]0;x\\u0007\\t\x7f\xC2\x85y"},
      // JSON's short escapes for backspace and form feed; "/" and DEL need none.
      {u"\b\f\x1f/", "\b\f\x1f/", "\uFFFD\uFFFD\uFFFD/", "\\b\\f\\u001f/"},
      {u"\U0001F600 \xD800x", "\xF0\x9F\x98\x80 \xEF\xBF\xBDx", "\xF0\x9F\x98\x80 \xEF\xBF\xBDx",
       "\xF0\x9F\x98\x80 \xEF\xBF\xBDx"},
  };
  for (const auto& r : rivit) {
    EXPECT_EQ(aja(kirjoitaUtf8, r.teksti), r.utf8) << utf8ksi(r.teksti);
    EXPECT_EQ(aja(kirjoitaRivit, r.teksti), r.rivit) << utf8ksi(r.teksti);
    EXPECT_EQ(aja(kirjoitaJson, r.teksti), r.json) << utf8ksi(r.teksti);
  }
}

// JSON has short escapes for five control characters only; every other one
// is \u00XX, DEL and C1 need none.
TEST(Koodaus, JsonOhjausmerkit) {
  static constexpr char HEKSA[] = "0123456789abcdef";
  for (char16_t c = 0; c < 0x20; ++c) {
    std::string odotettu;
    switch (c) {
      case u'\b': odotettu = "\\b"; break;
      case u'\t': odotettu = "\\t"; break;
      case u'\n': odotettu = "\\n"; break;
      case u'\f': odotettu = "\\f"; break;
      case u'\r': odotettu = "\\r"; break;
      default: odotettu = std::string("\\u00") + HEKSA[c >> 4] + HEKSA[c & 0xF];
    }
    EXPECT_EQ(aja(kirjoitaJson, std::u16string(1, c)), odotettu) << static_cast<int>(c);
  }
  EXPECT_EQ(aja(kirjoitaJson, u"\x7f\x80\x9f"), "\x7f\xC2\x80\xC2\x9f");
}

// A file's text on one line of the report: C0 and DEL in caret notation,
// C1 and lone surrogates as U+FFFD, the rest as it is.
TEST(Koodaus, YhdelleRiville) {
  const std::pair<std::u16string, const char*> rivit[] = {
      {u"lasku.pdf", "lasku.pdf"},
      {u"a\r\nb.pdf:\r\n", "a^M^Jb.pdf:^M^J"},
      {u"\t\x01\x1b[2J\x1f\x7f", "^I^A^[[2J^_^?"},
      {u"\x85\xD800 Ä€", "\uFFFD\uFFFD Ä€"},
  };
  for (const auto& [teksti, odotettu] : rivit) {
    std::string ulos = "<";
    lisaaYhdelleRiville(ulos, teksti);
    EXPECT_EQ(ulos, std::string("<") + odotettu) << utf8ksi(teksti);
  }
}

// A file name's bytes in JSON, exactly: two names never alike.
TEST(Koodaus, JsonPolku) {
  const std::pair<std::string, const char*> rivit[] = {
      {"lasku.pdf", "lasku.pdf"},
      {"L\xC3\xA4hde \"a\".pdf", "L\xC3\xA4hde \\\"a\\\".pdf"},
      {"L\xE4hde.pdf", "L\\udce4hde.pdf"},             // Latin-1
      {"\xC3\xA4\xFF\xC3", "\xC3\xA4\\udcff\\udcc3"},  // cut short at the end
      {"\xF0\x9F\x98\x80\xED\xB2\x80", "\xF0\x9F\x98\x80\\udced\\udcb2\\udc80"},
      {"a\nb", "a\\nb"},
  };
  for (const auto& [nimi, odotettu] : rivit) {
    std::string ulos = "<";
    lisaaJsonPolku(ulos, nimi);
    EXPECT_EQ(ulos, std::string("<") + odotettu) << nimi;
  }
}

// ISO 8601's calendar date: four digits of year, two of month and of day,
// zero-padded.
TEST(Koodaus, IsoPaivays) {
  const std::pair<Paivays, const char*> rivit[] = {
      {{2025, 3, 7}, "2025-03-07"},
      {{2099, 12, 31}, "2099-12-31"},
      {{2000, 1, 10}, "2000-01-10"},
      {{987, 10, 1}, "0987-10-01"},
  };
  for (const auto& [pvm, odotettu] : rivit) {
    std::string ulos = "<";
    lisaaIsoPaivays(ulos, pvm);
    EXPECT_EQ(ulos, std::string("<") + odotettu);
  }
}

TEST(Koodaus, SatunnaisetTekstit) {
  const char16_t aakkosto[] = {u'a',    u'0',    u' ', u'\r', u'\n',  u'"',   u'\\',  u'\x1f',
                               u'\x7f', u'\x80', u'ä', u'€',  0xD83D, 0xDE00, 0xDC00, 0xFFFF};
  std::mt19937 satunnainen(12345);
  for (int kierros = 0; kierros < 2000; ++kierros) {
    std::u16string t(satunnainen() % 40, u'a');
    for (auto& c : t) {
      c = satunnainen() % 4 == 0 ? aakkosto[satunnainen() % std::size(aakkosto)] : u'x';
    }
    ASSERT_EQ(aja(kirjoitaUtf8, t), aja(bench::utf8, t)) << kierros;
    ASSERT_EQ(aja(kirjoitaRivit, t), aja(rivitTavallisesti, t)) << kierros;
    ASSERT_EQ(aja(kirjoitaJson, t), aja(bench::json, t)) << kierros;
    // Back to UTF-16 and again to UTF-8: the same bytes.
    ASSERT_EQ(utf8ksi(utf16ksi(utf8ksi(t))), utf8ksi(t)) << kierros;
  }
}

}  // namespace
}  // namespace kelvio
