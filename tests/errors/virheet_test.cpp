#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "RsKTL.h"
#include "SEPA.h"
#include "euro.h"
#include "fe_apppath.h"
#include "fe_urlkoodaa.h"
#include "fe_virheraportti.h"
#include "koodisivu.h"
#include "se_Pulma.h"
#include "testialusta.h"
#include "tulkinta.h"
#include "utf8.h"
#include "virhe.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvio {
namespace {

using testi::kirjoita;
using testi::lue;
using testi::TestiAlusta;
using testi::TilapainenKansio;
namespace fs = std::filesystem;

using testi::u8;

TEST(FeUrlkoodaa, Taulukko) {
  TestiAlusta a;
  const std::pair<const char16_t*, const char*> rivit[] = {
      {u"Type mismatch", "Type;mismatch"},
      {u"cmdTulkitse_Click", "cmdTulkitse%5FClick"},
      {u"1138", "1138"},
      {u"-5", "-5"},
      {u"ä", "%E4"},
      {u"Ä", "%C4"},
      {u"ö", "%F6"},
      {u"€", "%80"},
      {u"%", "%25"},
      {u"+", "%2B"},
      {u"\t", "%09"},
      {u"\n", "%0A"},
      {u"a  b", "a;;b"},
      {u"   ", ";;;"},
      {u"", ""},
      {u"Ω", "%3F"},
      {u"Virhe: ä.b-c", "Virhe%3A;%E4.b-c"},
      // The ends of the letters and digits pass, their neighbours are escaped.
      {u"azAZ09@[`{/:", "azAZ09%40%5B%60%7B%2F%3A"},
  };
  for (const auto& [teksti, odotettu] : rivit) {
    EXPECT_EQ(u8(fe_urlkoodaa(teksti)), odotettu) << u8(teksti);
  }
  EXPECT_EQ(fe_urlkoodaa(nullptr), u"");
}

TEST(FeKorvaa, Taulukko) {
  struct Rivi {
    const char16_t *teksti, *haku, *korvaus;
    const char* odotettu;
  };
  const Rivi rivit[] = {
      {u"a b c", u" ", u";", "a;b;c"}, {u"aab", u"ab", u"b", "b"}, {u"a b", u" ", u"  ", "a  b"},
      {u"xx", u"x", u"xx", "xxxx"},    {u"abc", u"", u"-", "abc"}, {u"", u" ", u";", ""},
  };
  for (const auto& r : rivit) {
    EXPECT_EQ(u8(fe_korvaa(r.teksti, r.haku, r.korvaus)), r.odotettu) << u8(r.teksti);
  }
  // Positions count in 16 bits: a match at position 32,767 (from 0) overflows, one before it not.
  EXPECT_EQ(fe_korvaa(std::u16string(32766, u'a') + u" ", u" ", u";").size(), 32767U);
  EXPECT_THROW((void)fe_korvaa(std::u16string(32767, u'a') + u" ", u" ", u";"), Ajovirhe);
}

TEST(FeHeksa, Taulukko) {
  const std::pair<std::uint8_t, const char*> rivit[] = {
      {10, "0A"}, {95, "5F"}, {228, "E4"}, {0, "00"}, {255, "FF"}};
  for (const auto& [koodi, odotettu] : rivit) {
    EXPECT_EQ(u8(fe_heksa(koodi)), odotettu) << int(koodi);
  }
}

TEST(VirheTeksti, Esimerkki) {
  EXPECT_EQ(u8(virheteksti(13, u"Type mismatch", 1138, u"frmKelvio", u"cmdTulkitse_Click")),
            "Type mismatch\r\n(virhe 13)\r\n\r\nKutsurivi      1138\r\n"
            "Moduulista   frmKelvio\r\nRutiinista     cmdTulkitse_Click");
  EXPECT_EQ(u8(virheteksti(-5, u"x", -7, u"m", u"r")),
            "x\r\n(virhe -5)\r\n\r\nKutsurivi     -7\r\nModuulista   m\r\nRutiinista     r");
  // Zero is no negative number: it too has the space of the sign place.
  EXPECT_EQ(u8(virheteksti(5, u"x", 0, u"m", u"r")),
            "x\r\n(virhe 5)\r\n\r\nKutsurivi      0\r\nModuulista   m\r\nRutiinista     r");
  TestiAlusta a;
  EXPECT_EQ(u8(kyselyteksti(13, u"Type mismatch", 1138, u"frmKelvio", u"cmdTulkitse_Click")),
            "terms=Type;mismatch+virhe;13+1138+frmKelvio+cmdTulkitse%5FClick");
  EXPECT_EQ(u8(kyselyteksti(5, u"Tämä ä", -7, u"m", u"r")), "terms=T%E4m%E4;%E4+virhe;5+-7+m+r");
}

// Raises the error through a trapping routine, as the program does.
double nostaAnsassa(std::int32_t numero) {
  return ansa<double>(FE_YLEISVAL, [&]() -> double {
    nosta(numero, u"Kuvaus " + utf16ksi(std::to_string(numero)));
  });
}

TEST(SePulma, JarjestysVirhenumeroittain) {
  struct Rivi {
    std::int32_t numero;
    std::vector<std::string> alut;  // beginnings of the events in order
  };
  const Rivi rivit[] = {
      {94,
       {"hiiri",
        "viesti:Pulma 94. Invalid use of null.\nJossain taulukossa tai kentässä on "
        "tyhjää, vaikkei saisi olla.\nPoistele turhat tyhjät rivit, täydennä puuttuvat "
        "tiedot ja yritä sitten uudelleen.",
        "hiiri", "pulma:Kuvaus 94\r\n(virhe 94)"}},
      {3014,
       {"hiiri", "hiiri", "pulma:Kuvaus 3014",
        "viesti:Pulma 3014. Sammuta ohjelma ja "
        "käynnistä se uudelleen, niin pääset jatkamaan "
        "työskentelyä."}},
      {13, {"hiiri", "hiiri", "pulma:Kuvaus 13"}},
  };
  for (const auto& r : rivit) {
    TilapainenKansio kansio;
    TestiAlusta a;
    a.kansio = kansio.u16();
    EXPECT_EQ(nostaAnsassa(r.numero), 0.0);
    ASSERT_EQ(a.tapahtumat.size(), r.alut.size()) << r.numero;
    for (std::size_t i = 0; i < r.alut.size(); ++i) {
      EXPECT_EQ(u8(a.tapahtumat[i]).substr(0, r.alut[i].size()), r.alut[i])
          << r.numero << " #" << i;
    }
    // The log entry is written before the restart message, and for every number.
    EXPECT_TRUE(fs::exists(kansio.polku() / "virhelog.txt")) << r.numero;
  }
}

// Each trapping routine reports itself: its call line, module and routine.
TEST(SePulma, AnsojenKutsupaikat) {
  // The window's routine, as the interpretation's part names it.
  constexpr Kutsupaikka CMDTULKITSE_CLICK{1138, u"frmKelvio", u"cmdTulkitse_Click"};
  const std::pair<Kutsupaikka, const char*> rivit[] = {
      {CMDTULKITSE_CLICK,
       "Kutsurivi      1138\r\nModuulista   frmKelvio\r\nRutiinista     cmdTulkitse_Click"},
      {FE_RYHMITTELE, "Kutsurivi      6024\r\nModuulista   SEPA\r\nRutiinista     fe_ryhmittele"},
      {NORMTILI, "Kutsurivi      2043\r\nModuulista   RsKTL\r\nRutiinista     NormTili"},
      {FE_YLEISVAL, "Kutsurivi      2000\r\nModuulista   euro\r\nRutiinista     fe_yleisval"},
  };
  for (const auto& [paikka, odotettu] : rivit) {
    TestiAlusta a;
    EXPECT_EQ(ansa<int>(paikka, []() -> int { nosta(VIRHE_TYYPPI); }), 0);
    ASSERT_EQ(a.pulmat.size(), 1U);
    EXPECT_EQ(u8(a.pulmat[0].teksti),
              std::string("Type mismatch\r\n(virhe 13)\r\n\r\n") + odotettu);
  }
  // Out of memory and anything else unexpected get numbers of their own.
  TestiAlusta a;
  ansa<int>(CMDTULKITSE_CLICK, []() -> int { throw std::bad_alloc(); });
  ansa<int>(CMDTULKITSE_CLICK, []() -> int { throw std::runtime_error("x"); });
  ASSERT_EQ(a.pulmat.size(), 2U);
  EXPECT_EQ(u8(a.pulmat[0].teksti).substr(0, 24), "Out of memory\r\n(virhe 7)");
  EXPECT_EQ(u8(a.pulmat[1].teksti).substr(0, 26), "Internal error\r\n(virhe 51)");
}

// A thread that holds SaikeenVirheet keeps its trapped errors in it, apart
// from the thread that started it; a holder's own end brings back the ones
// from before it.
TEST(SePulma, SaikeenVirheetOmillaan) {
  TestiAlusta a;
  laukeamiset().clear();
  const std::uint64_t ennen = laukeamisia();
  const auto laukaise = [] { ansa<int>(FE_YLEISVAL, []() -> int { nosta(VIRHE_TYYPPI); }); };
  laukaise();
  std::size_t saikeessa = 0;
  std::size_t sisemmassa = 0;
  std::size_t sisemmanJalkeen = 0;
  std::thread t([&] {
    const SaikeenVirheet omat;
    laukaise();
    laukaise();
    saikeessa = laukeamiset().size();
    {
      const SaikeenVirheet sisempi;
      laukaise();
      sisemmassa = laukeamiset().size();
    }
    sisemmanJalkeen = laukeamiset().size();
  });
  t.join();
  EXPECT_EQ(saikeessa, 2U);
  EXPECT_EQ(sisemmassa, 1U);
  EXPECT_EQ(sisemmanJalkeen, 2U);
  ASSERT_EQ(laukeamiset().size(), 1U);
  EXPECT_EQ(laukeamiset()[0].rutiini, u"fe_yleisval");
  EXPECT_EQ(laukeamisia(), ennen + 1);
}

TEST(SePulma, KaksiVirhettaKaksiKokonaistaMerkintaa) {
  TilapainenKansio kansio;
  TestiAlusta a;
  a.kansio = kansio.u16();
  kirjoita(kansio.polku() / "virhelog.txt", "vanha sisältö\r\n");
  nostaAnsassa(6);
  nostaAnsassa(6);
  const std::string merkinta =
      "Kelvio - virheraportti\r\n\r\n6.0-versio: \r\nfe_apppath(): " + kansio.polku().string() +
      "\r\nApp.EXEName: Kelviomaro\r\nTyöhakemisto: \r\nTulostettu: 8.12.2026\r\n"
      "Kello: 9.05.07\r\n\r\n\r\n"
      "Kuvaus 6\r\n(virhe 6)\r\n\r\nKutsurivi      2000\r\nModuulista   euro\r\n"
      "Rutiinista     fe_yleisval\r\n" +
      std::string(70, '-') + "\r\n";
  EXPECT_EQ(lue(kansio.polku() / "virhelog.txt"), "vanha sisältö\r\n" + merkinta + merkinta);
}

TEST(SePulma, IkkunaEiNayJolloinEiKirjata) {
  TilapainenKansio kansio;
  TestiAlusta a;
  a.kansio = kansio.u16();
  a.pulmaNakyy = false;
  nostaAnsassa(3014);
  EXPECT_FALSE(fs::exists(kansio.polku() / "virhelog.txt"));
  EXPECT_EQ(u8(a.tapahtumat.back()).substr(0, 6), "pulma:");
}

TEST(SePulma, LokiEiAukeaJaOhitetaanHiljaa) {
  TilapainenKansio kansio;
  TestiAlusta a;
  a.kansio = kansio.u16() + u"/puuttuu";
  nostaAnsassa(3014);
  // No restart message when the log could not be written.
  EXPECT_EQ(u8(a.tapahtumat.back()).substr(0, 6), "pulma:");
}

TEST(FeVirheraportti, Epaonnistuminen) {
  struct KaatuvaKansio : TestiAlusta {
    bool kaadu = false;
    std::u16string sovelluksenNimi() override {
      if (kaadu) {
        nosta(5);
      }
      return u"Kelvio";
    }
    std::u16string ohjelmakansio() override { nosta(76, u"Path not found"); }
  };
  KaatuvaKansio a;
  EXPECT_EQ(
      u8(fe_virheraportti()),
      "Kelvio - virheraportti\r\n\r\n6.0-versio: \r\n\n\rVirhe virherivin muodostuksessa:Path "
      "not found");
  a.kaadu = true;
  EXPECT_EQ(u8(fe_virheraportti()),
            "\n\rVirhe virherivin muodostuksessa:Invalid procedure call or argument");
}

// A control character of a folder's name is written in caret notation, so
// that it cannot break the report's lines: C0 as ^ and the letter, DEL as ^?.
TEST(FeVirheraportti, OhjausmerkitNakyviksi) {
  TestiAlusta a;
  a.kansio = u"/a\nb\x7f\x1f\x01\x20";
  const std::string r = u8(fe_virheraportti());
  EXPECT_NE(r.find("fe_apppath(): /a^Jb^?^_^A \r\n"), std::string::npos) << r;
}

class DataKansio : public ::testing::Test {
 protected:
  TilapainenKansio ohjelma;
  TilapainenKansio profiili;
  TestiAlusta a;
  void SetUp() override {
    a.kansio = ohjelma.u16();
    a.profiili = profiili.u16();
  }
  void asetukset(const std::string& sisalto) {
    kirjoita(ohjelma.polku() / "ainehake.oma", sisalto);
  }
  void luo(const std::string& alikansio) { fs::create_directories(profiili.polku() / alikansio); }
  std::string profiilissa(const std::string& alikansio) {
    return (profiili.polku() / alikansio).string();
  }
};

TEST_F(DataKansio, EiAsetustiedostoa) {
  const fs::path ennen = fs::current_path();
  EXPECT_EQ(u8(fe_apppath()), ohjelma.polku().string());
  EXPECT_EQ(fs::current_path(), ennen);
}

TEST_F(DataKansio, TahtiJaDokumenttikansiot) {
  struct Rivi {
    std::vector<std::string> kansiot;
    std::string odotettu;
  };
  const Rivi rivit[] = {
      {{"Omat tiedostot", "My documents", "Mina dokument"}, "Omat tiedostot"},
      {{"My documents", "Mina dokument"}, "My documents"},
      {{"Mina dokument"}, "Mina dokument"},
      {{}, ""},
  };
  for (const auto& r : rivit) {
    TilapainenKansio p;
    a.profiili = p.u16();
    for (const auto& k : r.kansiot) {
      fs::create_directories(p.polku() / k);
    }
    unohdaAppPath();
    asetukset("  *  \r\nmuuta");
    const fs::path odotettu = r.odotettu.empty() ? p.polku() : p.polku() / r.odotettu;
    EXPECT_EQ(u8(fe_apppath()), odotettu.string()) << r.odotettu;
    EXPECT_EQ(fs::current_path(), odotettu);
  }
}

TEST_F(DataKansio, TahtiJaSuhteellinenPolku) {
  luo("loki/kelvio");
  // A carriage return alone ends the line too.
  for (const char* rivi :
       {"* loki/kelvio \r\n", "*/loki/kelvio\r\n", "*loki/kelvio", "*loki/kelvio\rmuuta"}) {
    unohdaAppPath();
    asetukset(rivi);
    EXPECT_EQ(u8(fe_apppath()), profiilissa("loki/kelvio")) << rivi;
  }
}

TEST_F(DataKansio, TaysiPolku) {
  TilapainenKansio muu;
  asetukset(muu.polku().string() + "\r\n");
  EXPECT_EQ(u8(fe_apppath()), muu.polku().string());
  EXPECT_EQ(fs::current_path(), muu.polku());
  // A full path needs no profile.
  unohdaAppPath();
  a.profiili.clear();
  EXPECT_EQ(u8(fe_apppath()), muu.polku().string());
  // The folder as the system reports it: a separator at the end of the line
  // is not kept.
  for (const std::string& rivi : {muu.polku().string() + "/\r\n", muu.polku().string() + "//"}) {
    unohdaAppPath();
    asetukset(rivi);
    EXPECT_EQ(u8(fe_apppath()), muu.polku().string()) << rivi;
  }
  luo("loki");
  unohdaAppPath();
  a.profiili = profiili.u16();
  asetukset("*loki/\r\n");
  EXPECT_EQ(u8(fe_apppath()), profiilissa("loki"));
}

TEST_F(DataKansio, PuuttuvaPolkuJaLfRivit) {
  luo("loki");
  const std::string rivit[] = {
      // A full path is taken as it stands: spaces around it are part of it.
      " " + profiili.polku().string() + "\r\n",
      profiili.polku().string() + " \r\n",
      " *loki\r\n",  // a "*" that does not come first is part of a path
      profiilissa("ei-ole") + "\r\n",
      profiili.polku().string() + "\nseuraava\n",  // LF alone ends no line
      "\r\n",
      "",
      // An empty first line means the program folder, whatever comes next.
      "\r\n" + profiili.polku().string() + "\r\n",
      "\r" + profiili.polku().string(),
  };
  for (const auto& rivi : rivit) {
    unohdaAppPath();
    asetukset(rivi);
    EXPECT_EQ(u8(fe_apppath()), ohjelma.polku().string()) << rivi;
  }
}

TEST_F(DataKansio, ToinenKutsuPalauttaaEnsimmaisen) {
  TilapainenKansio muu;
  asetukset(muu.polku().string() + "\r\n");
  const std::u16string eka = fe_apppath();
  asetukset("\r\n");
  EXPECT_EQ(fe_apppath(), eka);
  EXPECT_EQ(u8(eka), muu.polku().string());
}

TEST_F(DataKansio, EiKansiotaEikaProfiilia) {
  luo("Omat tiedostot");
  struct Rivi {
    std::string rivi;
    std::u16string profiili;
  };
  const Rivi rivit[] = {
      // "*" with no profile names nothing under it, and never the current folder.
      {"*\r\n", u""},
      {" * \r\n", u""},
      {"*loki\r\n", u""},
      // A NUL would cut the path short: the line names no folder at all.
      {profiili.polku().string() + std::string(1, '\0') + "x\r\n", profiili.u16()},
      {std::string(1, '\0') + "\r\n", profiili.u16()},
  };
  for (const auto& r : rivit) {
    unohdaAppPath();
    a.profiili = r.profiili;
    asetukset(r.rivi);
    EXPECT_EQ(u8(fe_apppath()), ohjelma.polku().string()) << r.rivi;
  }
}

TEST_F(DataKansio, OnkansioJaLuerivi) {
  EXPECT_TRUE(fe_onkansio(profiili.u16()));
  EXPECT_TRUE(fe_onkansio(profiili.u16() + u"/"));
  EXPECT_FALSE(fe_onkansio(profiili.u16() + u"/ei"));
  EXPECT_EQ(fe_luerivi(profiili.u16() + u"/ei.txt"), u"");
  kirjoita(profiili.polku() / "a.txt", "eka\r\ntoka");
  EXPECT_EQ(fe_luerivi(profiili.u16() + u"/a.txt"), u"eka");
}

}  // namespace
}  // namespace kelvio
