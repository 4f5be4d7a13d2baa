// The command line's writers against a plain reference.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "koodaus.h"
#include "utf8.h"
#include "utf8_lohkot.h"

namespace kelvio {
namespace {

std::string viitteenRivit(std::u16string_view t) {
  std::u16string ilman;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') {
      continue;  // CR LF becomes the LF alone
    }
    const bool ohjaus = (t[i] < 0x20 && t[i] != u'\t' && t[i] != u'\n') ||
                        (t[i] == u'\n' && (i == 0 || t[i - 1] != u'\r')) ||
                        (t[i] >= 0x7F && t[i] <= 0x9F);
    ilman.push_back(ohjaus ? u'\uFFFD' : t[i]);
  }
  return utf8ksi(ilman);
}

std::string viitteenJson(std::u16string_view t) {
  std::u16string s;
  for (const char16_t c : t) {
    switch (c) {
      case u'"': s += u"\\\""; break;
      case u'\\': s += u"\\\\"; break;
      case u'\n': s += u"\\n"; break;
      case u'\r': s += u"\\r"; break;
      case u'\t': s += u"\\t"; break;
      case u'\b': s += u"\\b"; break;
      case u'\f': s += u"\\f"; break;
      default:
        if (c < 0x20) {
          static constexpr char16_t HEKSA[] = u"0123456789abcdef";
          s += u"\\u00";
          s.push_back(HEKSA[c >> 4]);
          s.push_back(HEKSA[c & 0xF]);
        } else {
          s.push_back(c);
        }
    }
  }
  return utf8ksi(s);
}

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
      {u"\U0001F600 \xD800x", "\xF0\x9F\x98\x80 \xEF\xBF\xBDx", "\xF0\x9F\x98\x80 \xEF\xBF\xBDx",
       "\xF0\x9F\x98\x80 \xEF\xBF\xBDx"},
  };
  for (const auto& r : rivit) {
    EXPECT_EQ(aja(kirjoitaUtf8, r.teksti), r.utf8) << utf8ksi(r.teksti);
    EXPECT_EQ(aja(kirjoitaRivit, r.teksti), r.rivit) << utf8ksi(r.teksti);
    EXPECT_EQ(aja(kirjoitaJson, r.teksti), r.json) << utf8ksi(r.teksti);
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
    ASSERT_EQ(aja(kirjoitaUtf8, t), utf8ksi(t)) << kierros;
    ASSERT_EQ(aja(kirjoitaRivit, t), viitteenRivit(t)) << kierros;
    ASSERT_EQ(aja(kirjoitaJson, t), viitteenJson(t)) << kierros;
    // Back to UTF-16 and again to UTF-8: the same bytes.
    ASSERT_EQ(utf8ksi(utf16ksi(utf8ksi(t))), utf8ksi(t)) << kierros;
  }
}

}  // namespace
}  // namespace kelvio
