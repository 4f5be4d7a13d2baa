// The POSIX platform: the profile folder, and the log's file as it is opened
// and appended to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "ajovirhe.h"
#include "jarjestelma.h"
#include "testialusta.h"
#include "tiedostoluku.h"
#include "utf8.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvio {
namespace {

using testi::kirjoita;
using testi::lue;
using testi::TilapainenKansio;
namespace fs = std::filesystem;

using testi::u8;

TEST(Jarjestelma, TyhjaUserprofileOnHome) {
  struct Rivi {
    const char* userprofile;  // nullptr: not set
    const char* home;
    const char* odotettu;
  };
  const Rivi rivit[] = {
      {"/profiili", "/koti", "/profiili"},
      {"", "/koti", "/koti"},
      {nullptr, "/koti", "/koti"},
  };
  const char* vanhaProfiili = std::getenv("USERPROFILE");
  const std::string vanhaKoti = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  for (const auto& r : rivit) {
    if (r.userprofile != nullptr) {
      setenv("USERPROFILE", r.userprofile, 1);
    } else {
      unsetenv("USERPROFILE");
    }
    setenv("HOME", r.home, 1);
    JarjestelmaAlusta j;
    EXPECT_EQ(u8(j.ymparisto(u"USERPROFILE")), r.odotettu) << (r.userprofile ? r.userprofile : "-");
  }
  if (vanhaProfiili == nullptr) {
    unsetenv("USERPROFILE");
  }
  setenv("HOME", vanhaKoti.c_str(), 1);
}

// What the log and the settings file are never opened as: each is refused at
// once, and the file a link points to stays as it was.
TEST(Loki, EiLinkkiaPutkeaEikaKansiota) {
  TilapainenKansio kansio;
  const fs::path toinen = kansio.polku() / "toisen-tiedosto";
  kirjoita(toinen, "koskematon\r\n");
  struct Rivi {
    const char* nimi;
    std::function<void(const fs::path&)> luo;
  };
  const Rivi rivit[] = {
      {"linkki", [&](const fs::path& p) { fs::create_symlink(toinen, p); }},
      {"linkki kansioon",
       [&](const fs::path& p) { fs::create_directory_symlink(kansio.polku(), p); }},
      {"putki", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
      {"kansio", [](const fs::path& p) { fs::create_directory(p); }},
  };
  JarjestelmaAlusta j;
  alarm(20);  // a FIFO that blocked would end the test here
  for (const auto& r : rivit) {
    const fs::path p = kansio.polku() / (std::string(r.nimi) + ".txt");
    r.luo(p);
    EXPECT_THROW(j.liitaTiedostoon(utf16ksi(p.string()), u"merkintä\r\n"), Ajovirhe) << r.nimi;
    EXPECT_THROW((void)j.lueEnsimmainenRivi(utf16ksi(p.string())), Ajovirhe) << r.nimi;
  }
  alarm(0);
  EXPECT_EQ(lue(toinen), "koskematon\r\n");
  // A plain file is appended to, each entry in one piece.
  const fs::path loki = kansio.polku() / "virhelog.txt";
  j.liitaTiedostoon(utf16ksi(loki.string()), u"eka\r\n");
  j.liitaTiedostoon(utf16ksi(loki.string()), u"toka\r\n");
  EXPECT_EQ(lue(loki), "eka\r\ntoka\r\n");
}

// Processes appending at once lose no entry and tear none, also entries
// longer than a pipe's atomic size.
TEST(Loki, RinnakkaisetKirjoittajat) {
  TilapainenKansio kansio;
  const std::string loki = (kansio.polku() / "virhelog.txt").string();
  constexpr int PROSESSEJA = 8;
  constexpr int MERKINTOJA = 25;
  for (int p = 0; p < PROSESSEJA; ++p) {
    if (fork() == 0) {
      JarjestelmaAlusta j;
      for (int m = 0; m < MERKINTOJA; ++m) {
        // About 10 KiB: a line of the process's own letter, many times.
        std::u16string merkinta;
        for (int r = 0; r < 100; ++r) {
          merkinta += std::u16string(100, static_cast<char16_t>(u'a' + p)) + u"\r\n";
        }
        j.liitaTiedostoon(utf16ksi(loki), merkinta + u"----\r\n");
      }
      _exit(0);
    }
  }
  for (int p = 0; p < PROSESSEJA; ++p) {
    int tila = 0;
    wait(&tila);
  }
  std::istringstream sisalto(lue(loki));
  std::string rivi;
  std::string nykyinen;
  int rivejaMerkinnassa = 0;
  int merkintoja = 0;
  while (std::getline(sisalto, rivi)) {
    if (rivi == "----\r") {
      EXPECT_EQ(rivejaMerkinnassa, 100);
      ++merkintoja;
      rivejaMerkinnassa = 0;
      nykyinen.clear();
      continue;
    }
    if (nykyinen.empty()) {
      nykyinen = rivi;
    }
    ASSERT_EQ(rivi, nykyinen) << "an entry torn at entry " << merkintoja;
    ASSERT_EQ(rivi.size(), 101U);
    ++rivejaMerkinnassa;
  }
  EXPECT_EQ(merkintoja, PROSESSEJA * MERKINTOJA);
}

}  // namespace
}  // namespace kelvio

namespace kelvio {
namespace {

// A stranger's file for kelvio read: what is no regular file is refused by
// its name, before anything opens it.
TEST(Tiedostoluku, NimiTarkistetaanEnnenAvausta) {
  const testi::TilapainenKansio kansio;
  const std::string k = kansio.polku().string();
  kirjoita(kansio.polku() / "lasku.pdf", "%PDF-1.4");
  kirjoita(kansio.polku() / "suuri.pdf", std::string(2048, 'x'));
  ASSERT_EQ(mkfifo((k + "/putki").c_str(), 0600), 0);
  std::filesystem::create_symlink(kansio.polku() / "lasku.pdf", kansio.polku() / "linkki.pdf");
  std::filesystem::create_directory(kansio.polku() / "kansio");
  struct Rivi {
    std::string polku;
    bool luettu;
    std::string syy;  // or the bytes read
  };
  const Rivi rivit[] = {
      {k + "/lasku.pdf", true, "%PDF-1.4"},
      {k + "/putki", false, "ei tavallinen tiedosto (laite, putki tai pistoke)"},
      {"/dev/zero", false, "ei tavallinen tiedosto (laite, putki tai pistoke)"},
      {k + "/linkki.pdf", false, "linkki, jota ei seurata"},
      {k + "/kansio", false, "kansio, ei tiedosto"},
      {k + "/puuttuva.pdf", false, "tiedostoa ei voi avata: tiedostoa ei ole"},
      {k + "/suuri.pdf", false, "tiedosto on suurempi kuin 0 MiB"},
  };
  for (const Rivi& r : rivit) {
    std::string tavut;
    std::string syy;
    EXPECT_EQ(lueKokoTiedosto(r.polku, 1024, tavut, syy), r.luettu) << r.polku;
    EXPECT_EQ(r.luettu ? tavut : syy, r.syy) << r.polku;
  }
}

}  // namespace
}  // namespace kelvio

namespace kelvio {
namespace {

// The clock the error report writes is the local time of the user's zone,
// not UTC: in a zone 14 hours ahead the hour and date move with it.
TEST(Jarjestelma, NytOnPaikallistaAikaa) {
  const char* vanha = std::getenv("TZ");
  const std::string palautettava = vanha != nullptr ? vanha : "";
  setenv("TZ", "KLV-14", 1);
  tzset();
  const std::time_t ennen = std::time(nullptr);
  const Hetki h = JarjestelmaAlusta{}.nyt();
  const std::time_t jalkeen = std::time(nullptr);
  if (vanha != nullptr) {
    setenv("TZ", palautettava.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
  bool osuu = false;
  for (std::time_t t = ennen; t <= jalkeen; ++t) {
    const std::time_t paikallinen = t + static_cast<std::time_t>(14) * 3600;
    std::tm u{};
    gmtime_r(&paikallinen, &u);
    osuu = osuu || (h.paivays.vuosi == u.tm_year + 1900 && h.paivays.kuukausi == u.tm_mon + 1 &&
                    h.paivays.paiva == u.tm_mday && h.aika.tunti == u.tm_hour &&
                    h.aika.minuutti == u.tm_min);
  }
  EXPECT_TRUE(osuu) << h.paivays.paiva << "." << h.paivays.kuukausi << " " << h.aika.tunti << ":"
                    << h.aika.minuutti;
}

}  // namespace
}  // namespace kelvio
