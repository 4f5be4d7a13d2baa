// Runs the kelvio binary end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ajotarkistimet.h"

namespace {

namespace fs = std::filesystem;

struct Tulos {
  int tila;
  std::string tuloste;
  std::string virheet;
};

// A folder of this test's own, removed when it goes, so that tests run in parallel.
struct OmaKansio {
  fs::path polku;
  OmaKansio() {
    std::string malli = (fs::temp_directory_path() / "kelvio-e2e-XXXXXX").string();
    polku = mkdtemp(malli.data());
  }
  OmaKansio(const OmaKansio&) = delete;
  OmaKansio& operator=(const OmaKansio&) = delete;
  ~OmaKansio() {
    std::error_code e;
    fs::permissions(polku, fs::perms::owner_all, fs::perm_options::add, e);
    fs::remove_all(polku, e);
  }
};

std::string lue(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Runs kelvio with the arguments (already quoted for the shell) and stdin;
// ohjaus, when given, replaces the redirection of standard input and output.
Tulos aja(const std::string& argumentit, const std::string& syote = "",
          const std::string& ohjaus = "", const std::string& ohjelma = KELVIO_BIN) {
  const OmaKansio kansio;
  const fs::path sisaan = kansio.polku / "in";
  const fs::path ulos = kansio.polku / "out";
  const fs::path virhe = kansio.polku / "err";
  std::ofstream(sisaan, std::ios::binary) << syote;
  const std::string komento =
      ohjelma + " " + argumentit + " " +
      (ohjaus.empty() ? "<" + sisaan.string() + " >" + ulos.string() : ohjaus) + " 2>" +
      virhe.string();
  const int tila = std::system(komento.c_str());
  return {WEXITSTATUS(tila), lue(ulos), lue(virhe)};
}

const std::string V2 = "291234500000123000123450000000000000001234525033100000";
const std::string V4 = "479123456000001230015000000000000000000001234561251231";
const std::string V5 = "579123456000001230000100012000000000000000012345000000";

const std::string RAPORTTI2 =
    "Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite\n\n"
    "Saajan tili (kansallinen muoto) = 912345-123\nViitenumero (kansallinen) =     12345\n"
    "Eräpäivä = 31.3.2025\nSumma =    123,45 €\n";
const std::string RAPORTTI5 =
    "Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite\n\n"
    "Saajan tili (IBAN-muodossa) = FI79 1234 5600 0001 23\nViitenumero (RF-viite) =  RF12 1234 5\n"
    "Eräpäivä = ei eräpäivää\nSumma =    10,00 €\n";
const std::string LYHYT =
    "Viivakoodin pituus on 3 merkkiä.\nPankkiviivakoodin kuuluu olla 54 merkin pituinen.\n";

TEST(Kelvio, ArgumentitJaSyote) {
  struct Rivi {
    std::string argumentit, syote;
    int tila;
    std::string tuloste;
  };
  const Rivi rivit[] = {
      {V2, "", 0, RAPORTTI2},
      {V2 + " " + V5, "", 0, RAPORTTI2 + "\n" + RAPORTTI5},
      {"", V2 + "\n" + V5 + "\n", 0, RAPORTTI2 + "\n" + RAPORTTI5},
      {"", V2 + "\r\n" + V5, 0, RAPORTTI2 + "\n" + RAPORTTI5},
      // a BOM at the start of the input only
      {"", "\xEF\xBB\xBF" + V2 + "\n", 0, RAPORTTI2},
      {"", V2 + "\n\xEF\xBB\xBF" + V2 + "\n", 1,
       RAPORTTI2 + "\nViivakoodin pituus on 55 merkkiä.\nPankkiviivakoodin kuuluu olla 54 merkin "
                   "pituinen.\n"},
      {"", "", 0, ""},
      {"abc", "", 1, LYHYT},
      {"", "\n", 1,
       "Viivakoodin pituus on 0 merkkiä.\nPankkiviivakoodin kuuluu olla 54 merkin pituinen.\n"},
      {"", "ab\r\r\n", 1, LYHYT},
      {"",
       "a\xff"
       "b\n",
       1, LYHYT},
      {"-- -12", "", 1, LYHYT},
      {"--decimal-separator . --date-format yyyy-MM-dd " + V2, "", 0,
       "Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja kansallinen viite\n\n"
       "Saajan tili (kansallinen muoto) = 912345-123\nViitenumero (kansallinen) =     12345\n"
       "Eräpäivä = 2025-03-31\nSumma =    123.45 €\n"},
      {"--decimal-separator=. " + V5, "", 0,
       RAPORTTI5.substr(0, RAPORTTI5.find("10,00")) + "10.00 €\n"},
  };
  for (const auto& r : rivit) {
    const Tulos t = aja(r.argumentit, r.syote);
    EXPECT_EQ(t.tila, r.tila) << r.argumentit << " | " << r.syote;
    EXPECT_EQ(t.tuloste, r.tuloste) << r.argumentit << " | " << r.syote;
  }
}

TEST(Kelvio, Kayttovirheet) {
  for (const char* argumentit : {"--tuntematon", "--decimal-separator", "--json=1",
                                 "--decimal-separator=", "--date-format ''", "-x"}) {
    const Tulos t = aja(argumentit);
    EXPECT_EQ(t.tila, 2) << argumentit;
    EXPECT_EQ(t.tuloste, "") << argumentit;
    EXPECT_NE(t.virheet.find("kelvio: "), std::string::npos) << argumentit;
  }
  EXPECT_EQ(aja("--help").tila, 0);
  EXPECT_NE(aja("--help").tuloste.find("Käyttö: kelvio"), std::string::npos);
  EXPECT_EQ(aja("--version").tuloste, "kelvio 1.0.0\n");
}

TEST(Kelvio, Json) {
  const Tulos t = aja("--json", V2 + "\n" + V5 + "\nx\"\\\x01\n3" + V2.substr(1) + "\n");
  EXPECT_EQ(t.tila, 1);
  EXPECT_EQ(
      t.tuloste,
      "{\"input\":\"" + V2 +
          "\",\"kind\":\"interpretation\",\"version\":2,\"account\":\"912345-123\","
          "\"reference\":\"12345\",\"due_date\":\"2025-03-31\",\"amount\":\"123.45\","
          "\"checks\":{\"account\":false,\"reference\":false,\"due_date\":true},"
          "\"report\":\"Viivakoodin versio 2: euromääräinen, kansallinen tilinumero ja "
          "kansallinen viite\\r\\n\\r\\nSaajan tili (kansallinen muoto) = 912345-123\\r\\n"
          "Viitenumero (kansallinen) =     12345\\r\\nEräpäivä = 31.3.2025\\r\\nSumma =    "
          "123,45 €\"}\n"
          "{\"input\":\"" +
          V5 +
          "\",\"kind\":\"interpretation\",\"version\":5,\"account\":\"FI7912345600000123\","
          "\"reference\":\"RF1212345\",\"due_date\":null,\"amount\":\"10.00\","
          "\"checks\":{\"iban\":false,\"rf_reference\":false},\"report\":\"" +
          "Viivakoodin versio 5: euromääräinen, IBAN-tilinumero ja RF-viite\\r\\n\\r\\nSaajan "
          "tili (IBAN-muodossa) = FI79 1234 5600 0001 23\\r\\nViitenumero (RF-viite) =  RF12 "
          "1234 5\\r\\nEräpäivä = ei eräpäivää\\r\\nSumma =    10,00 €\"}\n"
          "{\"input\":\"x\\\"\\\\\\u0001\",\"kind\":\"wrong_length\",\"length\":4,\"report\":"
          "\"Viivakoodin pituus on 4 merkkiä.\\r\\nPankkiviivakoodin kuuluu olla 54 merkin "
          "pituinen.\"}\n"
          "{\"input\":\"3" +
          V2.substr(1) +
          "\",\"kind\":\"unknown_version\",\"report\":\"Tuntematon viivakoodin "
          "esittämistapa\\r\\n3" +
          V2.substr(1) + "\"}\n");
}

std::vector<std::vector<std::string>> lueCsv(const std::string& s);

// A version 4 barcode whose amount field "9E999999" makes fe_yleisval overflow.
std::string ylivuoto() {
  std::string v4 = V4;
  v4.replace(17, 8, "9E999999");
  return v4;
}

// The program copied into a folder of its own: its error log goes there.
TEST(Kelvio, VirheMeneeVirhevirtaanJaLokiin) {
  const OmaKansio kansio;
  const fs::path ohjelma = kansio.polku / "kelvio";
  fs::copy_file(KELVIO_BIN, ohjelma);
  const Tulos t = aja(ylivuoto(), "", "", ohjelma.string());
  EXPECT_EQ(t.tila, 1);
  EXPECT_NE(t.tuloste.find("Summa =    0,00 €"), std::string::npos);
  EXPECT_NE(t.virheet.find("kelvio: argumentti 1:\nOverflow\n(virhe 6)\n\nKutsurivi      2000\n"
                           "Moduulista   euro\nRutiinista     fe_yleisval\n"
                           "terms=Overflow+virhe;6+2000+euro+fe%5Fyleisval"),
            std::string::npos)
      << t.virheet;
  const std::string loki = lue(kansio.polku / "virhelog.txt");
  EXPECT_EQ(loki.rfind("Kelvio - virheraportti\r\n", 0), 0U) << loki;
  EXPECT_NE(loki.find("Overflow\r\n(virhe 6)\r\n\r\nKutsurivi      2000\r\nModuulista   euro\r\n"
                      "Rutiinista     fe_yleisval\r\n" +
                      std::string(70, '-') + "\r\n"),
            std::string::npos)
      << loki;
}

// A log that cannot take the entry whole: the entry is skipped (with a word
// on standard error when another program holds the lock), the log is left as
// it was, and the run goes on to its report.
TEST(Kelvio, LokiJokaEiOtaMerkintaa) {
  struct Rivi {
    std::string valmistelu;  // shell commands in the program's folder before the run
    std::string ennen;       // before the program: a lock holder or a limit
    std::string virheissa;   // on standard error
  };
  const Rivi rivit[] = {
      // the holder's output away from the test's, so that nothing waits for
      // it; the program starts once the lock is held
      {"printf vanha > virhelog.txt",
       "{ flock -s virhelog.txt sh -c 'touch lukittu; sleep 10' >/dev/null 2>&1 & } ; "
       "while [ ! -e lukittu ]; do sleep 0.05; done; ",
       "virheloki on toisen ohjelman lukitsema"},
      {"printf vanha > virhelog.txt && ln virhelog.txt toinen-nimi", "", ""},
      {"head -c 500 /dev/zero | tr '\\0' v > virhelog.txt", "ulimit -f 1; ", ""},
  };
  for (const Rivi& r : rivit) {
    const OmaKansio kansio;
    const fs::path ohjelma = kansio.polku / "kelvio";
    fs::copy_file(KELVIO_BIN, ohjelma);
    ASSERT_EQ(std::system(("cd " + kansio.polku.string() + " && " + r.valmistelu).c_str()), 0);
    const std::string vanha = lue(kansio.polku / "virhelog.txt");
    const Tulos t = aja(ylivuoto(), "", "</dev/null >" + (kansio.polku / "ulos").string(),
                        "cd " + kansio.polku.string() + " && " + r.ennen + ohjelma.string());
    EXPECT_EQ(t.tila, 1) << r.valmistelu;
    EXPECT_NE(lue(kansio.polku / "ulos").find("Summa =    0,00 €"), std::string::npos);
    EXPECT_NE(t.virheet.find(r.virheissa), std::string::npos) << t.virheet;
    EXPECT_EQ(lue(kansio.polku / "virhelog.txt"), vanha) << r.valmistelu;
  }
  // A line break (or DEL) in the program's folder is no line of the log.
  const OmaKansio kansio;
  const fs::path rivinvaihto = kansio.polku / "a\nb\x7f";
  fs::create_directory(rivinvaihto);
  fs::copy_file(KELVIO_BIN, rivinvaihto / "kelvio");
  aja(ylivuoto(), "", "", "'" + (rivinvaihto / "kelvio").string() + "'");
  const std::string loki = lue(rivinvaihto / "virhelog.txt");
  EXPECT_NE(loki.find("a^Jb^?"), std::string::npos) << loki;
  EXPECT_EQ(loki.find("a\nb"), std::string::npos) << loki;

  // A folder and a file named in Latin-1 (not UTF-8) keep their bytes.
  const fs::path latin1 = kansio.polku / "k\xe4";
  fs::create_directory(latin1);
  fs::copy_file(KELVIO_BIN, latin1 / "kelvio");
  aja(ylivuoto(), "", "", (latin1 / "kelvio").string());
  aja("make --iban FI2112345600000785 --reference 1234561 --amount 1 --svg " +
      (latin1 / "s\xe4.svg").string());
  EXPECT_TRUE(fs::exists(latin1 / "virhelog.txt"));
  EXPECT_TRUE(fs::exists(latin1 / "s\xe4.svg"));
}

// A field whose routine trapped an error holds no value in machine output:
// null in JSON, empty in CSV, and the error beside it; the message names the line.
TEST(Kelvio, LoukkuKonetulosteessa) {
  const std::string virhe =
      "\"errors\":[{\"number\":6,\"description\":\"Overflow\",\"line\":2000,"
      "\"module\":\"euro\",\"routine\":\"fe_yleisval\"}]";
  const Tulos j = aja("--json", V2 + "\n" + ylivuoto() + "\n");
  EXPECT_EQ(j.tila, 1);
  EXPECT_NE(j.tuloste.find("\"due_date\":\"2025-12-31\",\"amount\":null,"), std::string::npos)
      << j.tuloste;
  EXPECT_NE(j.tuloste.find("}," + virhe + ",\"report\":"), std::string::npos) << j.tuloste;
  EXPECT_EQ(j.tuloste.find("errors"), j.tuloste.rfind("errors"));  // only the second input
  EXPECT_NE(j.virheet.find("kelvio: rivi 2:\n"), std::string::npos) << j.virheet;

  const auto rivit = lueCsv(aja("--csv", ylivuoto() + "\n").tuloste);
  ASSERT_EQ(rivit.size(), 2U);
  EXPECT_EQ(rivit[1][6], "");  // amount
  EXPECT_EQ(rivit[1][5], "2025-12-31");
  EXPECT_EQ(rivit[1][11], "6 Overflow (euro.fe_yleisval, 2000)");
}

// Reading the input or writing the output fails: a message and exit status 3,
// never a success and never a wait until the input ends.
TEST(Kelvio, SyotteenJaTulosteenViat) {
  struct Rivi {
    std::string argumentit, ohjaus, viesti;
  };
  const Rivi rivit[] = {
      {"", "</ >/dev/null", "kelvio: syötteen luku epäonnistui: Is a directory"},
      {"", "<&- >/dev/null", "kelvio: syötteen luku epäonnistui: Bad file descriptor"},
      {"--help", "</dev/null >/dev/full", "kelvio: tulosteen kirjoitus epäonnistui: No space"},
      {"--version", "</dev/null >&-", "kelvio: tulosteen kirjoitus epäonnistui: Bad file"},
      {V2, "</dev/null >/dev/full", "kelvio: tulosteen kirjoitus epäonnistui"},
      {"--csv", "</dev/null >/dev/full", "kelvio: tulosteen kirjoitus epäonnistui"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1", "</dev/null >/dev/full",
       "kelvio: tulosteen kirjoitus epäonnistui"},
  };
  for (const auto& r : rivit) {
    const Tulos t = aja(r.argumentit, "", r.ohjaus);
    EXPECT_EQ(t.tila, 3) << r.argumentit << " " << r.ohjaus;
    EXPECT_EQ(t.virheet.rfind(r.viesti, 0), 0U) << t.virheet;
  }
  // An endless input into a full output stops at the first failed write.
  const Tulos t = aja("", "", ">/dev/full", "yes " + V4 + " | " + std::string(KELVIO_BIN));
  EXPECT_EQ(t.tila, 3);
  // Out of memory: error 7 and a failing status, never an abort. (The
  // address sanitizer reserves more address space than the limit allows.)
#if !defined(KELVIO_ASAN)
  const Tulos muisti = aja("--json", std::string(60U << 20, '7'), "",
                           "ulimit -v 100000; " + std::string(KELVIO_BIN));
  EXPECT_EQ(muisti.tila, 1);
  EXPECT_EQ(muisti.virheet, "kelvio: muisti loppui (virhe 7, Out of memory)\n");
  // A long date pattern over many barcodes stays within the memory of a few batches.
  std::string monta;
  for (int i = 0; i < 20000; ++i) {
    monta += V4 + "\n";
  }
  const Tulos kaava = aja("--date-format \"'" + std::string(130000, 'a') + "'\"", monta,
                          ">/dev/null", "ulimit -v 1000000; " + std::string(KELVIO_BIN));
  EXPECT_EQ(kaava.tila, 0) << kaava.virheet;
#endif
  // The CSV header is written for no input too.
  EXPECT_EQ(aja("--csv").tuloste.substr(0, 12), "input,kind,v");
}

// A non-blocking input with nothing in it yet is waited on: the barcode that
// comes a moment later is read.
// Waits until the process blocks in poll, as it does on an empty input.
void odotaPollissa(pid_t pid) {
  for (int i = 0; i < 10000; ++i) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/syscall");
    int kutsu = -1;
    if (!(f >> kutsu) || kutsu == 7 || kutsu == 271) {  // poll, ppoll; or gone
      return;
    }
    usleep(1000);
  }
}

TEST(Kelvio, EstamatonSyoteOdotetaan) {
  int putki[2];
  int ulos[2];
  ASSERT_EQ(pipe(putki), 0);
  ASSERT_EQ(pipe(ulos), 0);
  ASSERT_EQ(fcntl(putki[0], F_SETFL, O_NONBLOCK), 0);
  const pid_t lapsi = fork();
  if (lapsi == 0) {
    dup2(putki[0], 0);
    dup2(ulos[1], 1);
    close(putki[1]);
    close(ulos[0]);
    execl(KELVIO_BIN, KELVIO_BIN, "--json", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(putki[0]);
  close(ulos[1]);
  odotaPollissa(lapsi);  // it has found the input empty
  const std::string rivi = V4 + "\n";
  ASSERT_EQ(write(putki[1], rivi.data(), rivi.size()), static_cast<ssize_t>(rivi.size()));
  close(putki[1]);
  std::string tuloste;
  char puskuri[4096];
  for (ssize_t n = 0; (n = read(ulos[0], puskuri, sizeof puskuri)) > 0;) {
    tuloste.append(puskuri, static_cast<std::size_t>(n));
  }
  close(ulos[0]);
  int tila = 0;
  waitpid(lapsi, &tila, 0);
  EXPECT_EQ(WEXITSTATUS(tila), 0);
  EXPECT_NE(tuloste.find("\"input\":\"" + V4 + "\""), std::string::npos) << tuloste;
}

// kelvio --json with the descriptor as standard input and suljettava closed;
// its output is read from ulos.
pid_t kaynnista(int syote, int& ulos, int suljettava, bool estamatonUlos = false) {
  int putki[2];
  if (pipe(putki) != 0 || (estamatonUlos && fcntl(putki[1], F_SETFL, O_NONBLOCK) != 0)) {
    return -1;
  }
  const pid_t lapsi = fork();
  if (lapsi == 0) {
    dup2(syote, 0);
    dup2(putki[1], 1);
    close(putki[0]);
    close(suljettava);  // the other end of the input stays the test's alone
    execl(KELVIO_BIN, KELVIO_BIN, "--json", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(putki[1]);
  ulos = putki[0];
  return lapsi;
}

// Reads until the text has come or the output ends.
std::string lueKunnes(int fd, const std::string& odotettu) {
  std::string tuloste;
  char puskuri[4096];
  while (tuloste.find(odotettu) == std::string::npos) {
    const ssize_t n = read(fd, puskuri, sizeof puskuri);
    if (n <= 0) {
      break;
    }
    tuloste.append(puskuri, static_cast<std::size_t>(n));
  }
  return tuloste;
}

// A line that has come is answered while the input stays open; a read error
// (EIO from a terminal whose other end has gone) comes after the answers to
// the lines read before it.
TEST(Kelvio, SyoteVirtaa) {
  int putki[2];
  ASSERT_EQ(pipe(putki), 0);
  int ulos = -1;
  const pid_t lapsi = kaynnista(putki[0], ulos, putki[1]);
  close(putki[0]);
  const std::string rivi = V4 + "\n";
  ASSERT_EQ(write(putki[1], rivi.data(), rivi.size()), static_cast<ssize_t>(rivi.size()));
  // The input is still open: the answer must come without it ending.
  EXPECT_NE(lueKunnes(ulos, "\"input\":\"" + V4 + "\"").find(V4), std::string::npos);
  close(putki[1]);
  close(ulos);
  int tila = 0;
  waitpid(lapsi, &tila, 0);
  EXPECT_EQ(WEXITSTATUS(tila), 0);

  const int paa = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(paa, 0);
  ASSERT_EQ(grantpt(paa), 0);
  ASSERT_EQ(unlockpt(paa), 0);
  const int sivu = open(ptsname(paa), O_RDWR | O_NOCTTY);
  ASSERT_GE(sivu, 0);
  const std::string rivit = V2 + "\n" + V4 + "\n" + V5 + "\n";
  ASSERT_EQ(write(sivu, rivit.data(), rivit.size()), static_cast<ssize_t>(rivit.size()));
  const pid_t toinen = kaynnista(paa, ulos, sivu);
  close(paa);
  // The lines are read (the last one answered), then the terminal goes.
  std::string tuloste = lueKunnes(ulos, "\"input\":\"" + V5 + "\"");
  close(sivu);
  tuloste += lueKunnes(ulos, "\n\n");  // to the end
  close(ulos);
  waitpid(toinen, &tila, 0);
  EXPECT_EQ(WEXITSTATUS(tila), 3);
  for (const std::string* koodi : {&V2, &V4, &V5}) {
    EXPECT_NE(tuloste.find("\"input\":\"" + *koodi + "\""), std::string::npos) << tuloste;
  }

  // At a terminal: a line is answered as it is typed, and one Ctrl-D ends the input.
  const int paate = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(paate, 0);
  ASSERT_EQ(grantpt(paate), 0);
  ASSERT_EQ(unlockpt(paate), 0);
  const int kayttaja = open(ptsname(paate), O_RDWR | O_NOCTTY);
  const pid_t neljas = kaynnista(kayttaja, ulos, paate);
  close(kayttaja);
  ASSERT_EQ(write(paate, rivi.data(), rivi.size()), static_cast<ssize_t>(rivi.size()));
  EXPECT_NE(lueKunnes(ulos, "\"input\":\"" + V4 + "\"").find(V4), std::string::npos);
  ASSERT_EQ(write(paate, "\x04", 1), 1);
  lueKunnes(ulos, "\n\n");  // to the end
  close(ulos);
  waitpid(neljas, &tila, 0);
  close(paate);
  EXPECT_EQ(WEXITSTATUS(tila), 0);

  // A non-blocking output that fills is waited on: every record comes.
  const OmaKansio kansio;
  std::string paljon;
  for (int i = 0; i < 4000; ++i) {
    paljon += V4 + "\n";
  }
  std::ofstream(kansio.polku / "in", std::ios::binary) << paljon;
  const int syote = open((kansio.polku / "in").c_str(), O_RDONLY);
  const pid_t kolmas = kaynnista(syote, ulos, -1, true);
  close(syote);
  // The pipe fills before it is read.
  const int tilaa = fcntl(ulos, F_GETPIPE_SZ);
  for (int i = 0, jonossa = 0; i < 10000 && jonossa < tilaa - 4096; ++i) {
    if (ioctl(ulos, FIONREAD, &jonossa) != 0) {
      break;
    }
    usleep(1000);
  }
  const std::string kaikki = lueKunnes(ulos, "\n\n");
  close(ulos);
  waitpid(kolmas, &tila, 0);
  EXPECT_EQ(WEXITSTATUS(tila), 0);
  EXPECT_EQ(std::count(kaikki.begin(), kaikki.end(), '\n'), 4000);
}

// What a spreadsheet would take for a formula gets an apostrophe in front;
// amounts and dates stay plain values.
TEST(Kelvio, CsvKaavatEstetaan) {
  const std::pair<std::string, std::string> rivit[] = {
      {"=1+2", "'=1+2"},
      {"+1", "'+1"},
      {"-1", "'-1"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tx", "'\tx"},
      {"x=1", "x=1"},
      {"=a,b", "'=a,b"},
      // the fullwidth forms, which an East Asian input method turns into the ASCII ones
      {"＝1+2", "'＝1+2"},
      {"＋1", "'＋1"},
      {"－1", "'－1"},
      {"＠x", "'＠x"},
  };
  for (const auto& [syote, odotettu] : rivit) {
    const auto csv = lueCsv(aja("--csv", syote + "\n").tuloste);
    ASSERT_EQ(csv.size(), 2U) << syote;
    EXPECT_EQ(csv[1][0], odotettu) << syote;
  }
  EXPECT_EQ(lueCsv(aja("--csv", V4 + "\n").tuloste)[1][6], "1500.00");
  // The account and reference columns are guarded as the input is.
  std::string v2 = V2;
  v2.replace(1, 14, "=1234560000078").replace(23, 20, "0000000000000000+123");
  const auto csv = lueCsv(aja("--csv", v2 + "\n").tuloste);
  EXPECT_EQ(csv[1][3], "'=12345-60000078");
  EXPECT_EQ(csv[1][4], "'+123");
  // Quoted: a field with a quote, a comma, a semicolon or a carriage return.
  const std::pair<std::string, std::string> lainatut[] = {
      {"x;y", "\"x;y\","}, {"x\"y", "\"x\"\"y\","}, {"x,y", "\"x,y\","}, {"x\ry", "\"x\ry\","}};
  for (const auto& [syote, alku] : lainatut) {
    const std::string t = aja("--csv", syote + "\n").tuloste;
    EXPECT_EQ(t.substr(t.find("\r\n") + 2, alku.size()), alku) << syote;
  }
}

// Control characters of the input reach no terminal: U+FFFD in the text
// output; JSON keeps the input exact.
TEST(Kelvio, OhjausmerkitEivatPaaseTerminaaliin) {
  const std::string syote = "3" + V2.substr(1, 45) + "\x1b]0;x\x07\x7f\t";
  ASSERT_EQ(syote.size(), 54U);
  const Tulos t = aja("", syote + "\n");
  EXPECT_EQ(t.tuloste, "Tuntematon viivakoodin esittämistapa\n3" + V2.substr(1, 45) +
                           "\uFFFD]0;x\uFFFD\uFFFD\t\n");
  EXPECT_NE(aja("--json", syote + "\n").tuloste.find("\\u001b]0;x\\u0007\x7f\\t"),
            std::string::npos);
}

const std::string V2_KELPO = "212345600000785000123450000000000000123456125033100000";
const std::string V4_KELPO = "421123456000007850015000000000000000000001234561251231";

TEST(Kelvio, Tarkisteet) {
  struct Rivi {
    std::string argumentit;
    int tila;
    std::vector<std::string> rivit;  // the check lines expected, in order
  };
  const Rivi rivit[] = {
      {"--check " + V2_KELPO, 0, {}},
      {"--check " + V4_KELPO, 0, {}},
      {"--check " + V2, 1, {"Tarkiste ei täsmää: tilinumero", "Tarkiste ei täsmää: viitenumero"}},
      {"--check " + V5, 1, {"Tarkiste ei täsmää: IBAN", "Tarkiste ei täsmää: RF-viite"}},
      {V2, 0, {}},  // without --check nothing is verified
      {"--check --json " + V2, 1, {}},
      {"--check abc", 1, {}},
  };
  for (const auto& r : rivit) {
    const Tulos t = aja(r.argumentit);
    EXPECT_EQ(t.tila, r.tila) << r.argumentit;
    std::string odotettu;
    for (const auto& rivi : r.rivit) {
      odotettu += rivi + "\n";
    }
    const std::size_t kohta = t.tuloste.find("Tarkiste");
    EXPECT_EQ(kohta == std::string::npos ? "" : t.tuloste.substr(kohta), odotettu) << r.argumentit;
  }
  // The lines follow the report, before the empty line to the next one.
  const Tulos t = aja("--check " + V2 + " " + V2_KELPO);
  EXPECT_NE(t.tuloste.find("€\nTarkiste ei täsmää: tilinumero\nTarkiste ei täsmää: "
                           "viitenumero\n\nViivakoodin versio 2"),
            std::string::npos)
      << t.tuloste;
}

// A line of megabytes is explained like any other; memory and time stay small.
TEST(Kelvio, MegatavujenRivi) {
  const std::string pitka(5U << 20, '4');
  const Tulos t = aja("--json", V2 + "\n" + pitka + "\r\n" + V5 + "\n");
  EXPECT_EQ(t.tila, 1);
  EXPECT_NE(t.tuloste.find("\"kind\":\"wrong_length\",\"length\":5242880,"), std::string::npos);
  EXPECT_EQ(std::count(t.tuloste.begin(), t.tuloste.end(), '\n'), 3);
  const Tulos r = aja("", pitka);
  EXPECT_EQ(r.tuloste,
            "Viivakoodin pituus on 5242880 merkkiä.\nPankkiviivakoodin kuuluu olla 54 "
            "merkin pituinen.\n");
}

// A spreadsheet-style reader of RFC 4180: quoted fields, doubled quotes, CR LF rows.
std::vector<std::vector<std::string>> lueCsv(const std::string& s) {
  std::vector<std::vector<std::string>> rivit(1);
  std::string kentta;
  bool lainauksissa = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (lainauksissa) {
      if (c == '"' && i + 1 < s.size() && s[i + 1] == '"') {
        kentta.push_back('"');
        ++i;
      } else if (c == '"') {
        lainauksissa = false;
      } else {
        kentta.push_back(c);
      }
    } else if (c == '"') {
      lainauksissa = true;
    } else if (c == ',') {
      rivit.back().push_back(kentta);
      kentta.clear();
    } else if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      rivit.back().push_back(kentta);
      kentta.clear();
      rivit.emplace_back();
      ++i;
    } else {
      kentta.push_back(c);
    }
  }
  rivit.pop_back();  // after the last CR LF
  return rivit;
}

TEST(Kelvio, CsvLuetaanTakaisin) {
  const std::string hankala = "a\"b,c;d \"\"";
  const Tulos t =
      aja("--csv", V4_KELPO + "\n" + V2 + "\n" + hankala + "\n3" + V2.substr(1) + "\nä€\n");
  EXPECT_EQ(t.tila, 1);
  const auto rivit = lueCsv(t.tuloste);
  const std::vector<std::vector<std::string>> odotetut = {
      {"input", "kind", "version", "account", "reference", "due_date", "amount", "iban_check",
       "account_check", "reference_check", "rf_reference_check", "errors"},
      {V4_KELPO, "interpretation", "4", "FI2112345600000785", "1234561", "2025-12-31", "1500.00",
       "true", "", "true", "", ""},
      {V2, "interpretation", "2", "912345-123", "12345", "2025-03-31", "123.45", "", "false",
       "false", "", ""},
      {hankala, "wrong_length", "", "", "", "", "", "", "", "", "", ""},
      {"3" + V2.substr(1), "unknown_version", "", "", "", "", "", "", "", "", "", ""},
      {"ä€", "wrong_length", "", "", "", "", "", "", "", "", "", ""},
  };
  EXPECT_EQ(rivit, odotetut) << t.tuloste;
  EXPECT_EQ(aja("--csv --json x").tila, 2);

  // For Finnish Excel: a BOM, ";", a decimal comma, d.M.yyyy, digit strings as
  // text formulas, and the formula guard on the rest.
  EXPECT_EQ(aja("--excel", V4_KELPO + "\n=1;2\n").tuloste,
            "\xEF\xBB\xBFinput;kind;version;account;reference;due_date;amount;iban_check;"
            "account_check;reference_check;rf_reference_check;errors\r\n"
            "\"=\"\"" +
                V4_KELPO +
                "\"\"\";interpretation;4;FI2112345600000785;\"=\"\"1234561\"\"\";"
                "31.12.2025;1500,00;true;;true;;\r\n"
                "\"'=1;2\";wrong_length;;;;;;;;;;\r\n");
}

// kelvio make: the digits, the usage errors, and a bad value's exit status.
TEST(KelvioMake, NumerotJaVirheet) {
  struct Rivi {
    std::string argumentit;
    int tila;
    std::string tuloste;  // or the start of the message on standard error
  };
  const Rivi rivit[] = {
      {"make --iban 'FI21 1234 5600 0007 85' --reference 1234561 --amount 1500 --due 2025-12-31", 0,
       V4_KELPO + "\n"},
      {"make --iban=FI2112345600000785 --reference='RF18 5390 0754 7034' --amount=0", 0,
       // version, IBAN digits, no amount, RF check digits, the body padded to 21, no due date
       "5"
       "2112345600000785"
       "00000000"
       "18"
       "000000000539007547034"
       "000000\n"},
      {"make --iban FI2112345600000785 --reference 1234561", 2, "kelvio make: --iban"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount", 2, "kelvio make: valitsin"},
      {"make --tuntematon 1", 2, "kelvio make: tuntematon valitsin --tuntematon"},
      {"make --iban FI2112345600000786 --reference 1234561 --amount 1", 1,
       "kelvio make: IBAN: tarkistenumerot eivät täsmää"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --due 2025-02-30", 1,
       "kelvio make: eräpäivä:"},
      // an RF reference too short to hold its check digits and a body
      {"make --iban FI2112345600000785 --reference RF --amount 1", 1, "kelvio make: viite:"},
      {"make --iban FI2112345600000785 --reference RF1 --amount 1", 1, "kelvio make: viite:"},
      {"make --iban FI2112345600000785 --reference rf --amount 1", 1, "kelvio make: viite:"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 ylimaarainen", 2,
       "kelvio make: ylimääräinen argumentti"},
      {"make --iban=FI2112345600000785 --reference=RF18539007547034 --amount=1500,5 "
       "--due=2025-12-31 "
       "--name 'Yritys Oy' --json",
       0,
       "{\"barcode\":\"521123456000007850015005018000000000539007547034251231\",\"version\":5,"
       "\"account\":\"FI2112345600000785\",\"reference\":\"RF18539007547034\",\"amount\":"
       "\"1500.50\",\"due_date\":\"2025-12-31\",\"qr_payload\":\"BCD\\n002\\n1\\nSCT\\n\\nYritys "
       "Oy\\nFI2112345600000785\\nEUR1500.50\\n\\nRF18539007547034\\n\\nReqdExctnDt/"
       "2025-12-31\"}\n"},
      // a bad value named for a program, beside the message
      {"make --iban FI2112345600000786 --reference 1234561 --amount 1 --json", 1,
       "kelvio make: IBAN:"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --qr q.svg", 2,
       "kelvio make: --qr tarvitsee saajan nimen"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --svg - --qr - --name N", 2,
       "kelvio make: vain yksi"},
      // names and messages that cannot stand in the EPC QR code
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name ''", 1,
       "kelvio make: nimi: 1-70 merkkiä"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name " +
           std::string(71, 'a'),
       1, "kelvio make: nimi: 1-70 merkkiä"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name \"$(printf 'a\\nb')\"",
       1, "kelvio make: nimi: rivinvaihto ei kelpaa"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name \"$(printf 'a\\tb')\"",
       1, "kelvio make: nimi: ohjausmerkki ei kelpaa"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name 'a€'", 1,
       "kelvio make: nimi: merkki \"€\" ei kelpaa"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name N --bic NDEA", 1,
       "kelvio make: BIC:"},
      {"make --iban FI2112345600000785 --reference 1234561 --amount 1 --name N --message Kiitos", 1,
       "kelvio make: viesti: EPC-QR-koodissa on joko viite tai viesti"},
  };
  for (const auto& r : rivit) {
    const Tulos t = aja(r.argumentit);
    EXPECT_EQ(t.tila, r.tila) << r.argumentit;
    if (r.tila == 0) {
      EXPECT_EQ(t.tuloste, r.tuloste) << r.argumentit;
    } else {
      EXPECT_EQ(t.virheet.rfind(r.tuloste, 0), 0U) << t.virheet;
    }
  }
  EXPECT_NE(aja("make --help").tuloste.find("Käyttö: kelvio make"), std::string::npos);
  // Files from the command line: never through a link, never into a FIFO or
  // a folder, and a failed write leaves the old file whole.
  const OmaKansio kansio;
  const std::string k = kansio.polku.string();
  ASSERT_EQ(std::system(("cd " + k +
                         " && echo vanha > kohde && ln -s kohde linkki && mkfifo fifo && "
                         "echo vanha > taysi")
                            .c_str()),
            0);
  for (const std::string nimi : {"/", "linkki", "fifo"}) {
    const std::string polku = nimi == "/" ? nimi : (kansio.polku / nimi).string();
    EXPECT_EQ(
        aja("make --iban FI2112345600000785 --reference 1234561 --amount 1 --svg " + polku).tila, 3)
        << nimi;
  }
  EXPECT_EQ(lue(kansio.polku / "kohde"), "vanha\n");
  EXPECT_EQ(
      aja("make --iban FI2112345600000785 --reference 1234561 --amount 1 --svg " + k + "/taysi", "",
          "", "ulimit -f 1; " + std::string(KELVIO_BIN))
          .tila,
      3);
  EXPECT_EQ(lue(kansio.polku / "taysi"), "vanha\n");
}

// A real barcode reader reads the drawn symbol back: the SVG rendered to PNG
// by rsvg-convert and decoded by ZXing-C++'s reader gives the same 54 digits.
TEST(KelvioMake, LukijaLukeeSymbolin) {
  if (std::system("command -v rsvg-convert >/dev/null && command -v ZXingReader >/dev/null") != 0) {
    GTEST_SKIP()
        << "rsvg-convert and ZXingReader are not installed (the test command installs them)";
  }
  const std::string IBAN = "--iban 'FI21 1234 5600 0007 85' ";
  const std::string rivit[] = {
      IBAN + "--reference 1232 --amount 0",                              // no amount or due date
      IBAN + "--reference 1234561 --amount 999999.99 --due 2099-12-31",  // the largest amount
      IBAN + "--reference 12345678901234567894 --amount 12,5 --due 2000-01-01",  // 20 digits
      IBAN +
          "--reference RF18000000000539007547034 --amount 1 --due 2024-02-29",  // 25-character RF
      IBAN + "--reference RF635 --amount 0.01",
  };
  const OmaKansio kansio;
  for (const auto& r : rivit) {
    const fs::path svg = kansio.polku / "symboli.svg";
    const fs::path png = kansio.polku / "symboli.png";
    const Tulos t = aja("make " + r + " --svg " + svg.string());
    ASSERT_EQ(t.tila, 0) << r << t.virheet;
    const std::string numerot = t.tuloste.substr(0, 54);
    ASSERT_EQ(
        std::system(
            ("rsvg-convert -w 1600 -b white " + svg.string() + " -o " + png.string()).c_str()),
        0);
    const Tulos luettu = aja("-format Code128 -1 " + png.string(), "",
                             ">" + (kansio.polku / "luettu").string(), "ZXingReader");
    const std::string teksti = lue(kansio.polku / "luettu");
    EXPECT_NE(teksti.find("Code128 \"" + numerot + "\""), std::string::npos) << r << "\n" << teksti;

    // The EPC QR code of the same invoice, read back by kelvio read (ZXing-C++),
    // gives the payment that make --json names.
    if (std::system("command -v qrencode >/dev/null") != 0) {
      continue;  // a build without libqrencode is not tested here
    }
    const fs::path qr = kansio.polku / "qr.svg";
    const Tulos tehty = aja("make " + r + " --name 'Äijälän Ääni & Co' --json --qr " + qr.string());
    ASSERT_EQ(tehty.tila, 0) << r << tehty.virheet;
    ASSERT_EQ(std::system(
                  ("rsvg-convert -w 400 -b white " + qr.string() + " -o " + png.string()).c_str()),
              0);
    const std::string luettuQr = aja("read --json " + png.string()).tuloste;
    const auto arvo = [](const std::string& json, const std::string& avain) {
      const std::size_t alku = json.find("\"" + avain + "\":");
      return alku == std::string::npos
                 ? std::string()
                 : json.substr(alku + avain.size() + 3,
                               json.find_first_of(",}", alku) - alku - avain.size() - 3);
    };
    EXPECT_EQ(arvo(luettuQr, "input"), arvo(tehty.tuloste, "qr_payload")) << luettuQr;
    for (const char* avain : {"account", "due_date", "amount"}) {
      // A barcode without an amount has 0.00; the QR code then names none.
      const std::string odotettu = arvo(tehty.tuloste, avain);
      EXPECT_EQ(arvo(luettuQr, avain), odotettu == "\"0.00\"" ? "null" : odotettu) << luettuQr;
    }
  }
}

}  // namespace

namespace {

// kelvio read over sample files made by the project's own tools: each file's
// records in order, with where each code was found.
TEST(KelvioRead, TiedostojenKoodit) {
  if (std::system("command -v rsvg-convert >/dev/null && command -v qrencode >/dev/null && "
                  "convert -version >/dev/null 2>&1") != 0) {
    GTEST_SKIP()
        << "rsvg-convert, qrencode and ImageMagick are needed (the test command installs them)";
  }
  const OmaKansio kansio;
  ASSERT_EQ(
      std::system(
          ("sh " KELVIO_TESTIT "/lue-naytteet.sh " KELVIO_BIN " " + kansio.polku.string()).c_str()),
      0);
  const std::string V4 = "421123456000007850015000000000000000000001234561251231";
  const std::string V5 = "521123456000007850000100018000000000539007547034000000";
  const std::string QR =
      "BCD\\n002\\n1\\nSCT\\n\\nYritys Oy\\nFI2112345600000785\\nEUR1500.00\\n\\n"
      "RF18539007547034\\n\\nReqdExctnDt/2025-12-31";
  struct Rivi {
    std::string tiedosto;
    std::string alku;  // the record from its input to its kind
  };
  // A bank barcode's record up to its kind: with a conflict up to the first
  // differing field's name; kaksoiskappale: the file and page of the same
  // payment read before.
  const auto koodi = [](const std::string& syote, const std::string& tiedosto,
                        const std::string& sivu, const std::string& lahteet, bool ristiriita,
                        const std::string& kaksoiskappale = "") {
    const std::string alku = "{\"input\":\"" + syote + "\",\"file\":\"" + tiedosto +
                             "\",\"page\":" + sivu + ",\"sources\":[" + lahteet + "],\"conflict\":";
    if (ristiriita) {
      return alku + "true,\"conflict_fields\":[{\"field\":\"";
    }
    return alku + "false,\"conflict_fields\":[],\"duplicate_of\":" +
           (kaksoiskappale.empty() ? "null" : "{" + kaksoiskappale + "}") +
           ",\"kind\":\"interpretation\"";
  };
  const auto tyhja = [](const std::string& tiedosto, const std::string& laji) {
    return "{\"input\":null,\"file\":\"" + tiedosto +
           "\",\"page\":null,\"sources\":[],\"conflict\":false,\"conflict_fields\":[],"
           "\"duplicate_of\":null,\"kind\":\"" +
           laji + "\"";
  };
  const std::string S1 = "\"file\":\"symboli.pdf\",\"page\":1";  // where V4 was first
  const std::string QR1 = "\"file\":\"qr.png\",\"page\":null";   // and the QR code
  const Rivi rivit[] = {
      {"symboli.pdf", koodi(V4, "symboli.pdf", "1", "\"barcode\"", false)},
      {"kaksi.pdf", koodi(V4, "kaksi.pdf", "1", "\"barcode\"", false, S1)},
      {"", koodi(V5, "kaksi.pdf", "2", "\"text\"", false)},  // printed in groups
      {"yhdessa.pdf", koodi(V4, "yhdessa.pdf", "1", "\"barcode\",\"text\"", false, S1)},
      {"ristiriita.pdf", koodi(V4, "ristiriita.pdf", "1", "\"barcode\"", true)},
      {"", koodi(V5, "ristiriita.pdf", "1", "\"text\"", true)},
      {"symboli.png", koodi(V4, "symboli.png", "null", "\"barcode\"", false, S1)},
      {"vino.jpg", koodi(V4, "vino.jpg", "null", "\"barcode\"", false, S1)},
      {"kaannetty.png", koodi(V4, "kaannetty.png", "null", "\"barcode\"", false, S1)},
      {"tyhja.png", tyhja("tyhja.png", "not_found")},
      {"qr.png",
       "{\"input\":\"" + QR +
           "\",\"file\":\"qr.png\",\"page\":null,\"sources\":[\"qr\"],\"conflict\":false,"
           "\"conflict_fields\":[],\"duplicate_of\":null,\"kind\":\"qr\",\"version\":null,"
           "\"epc_version\":\"002\",\"name\":\"Yritys Oy\",\"bic\":null,\"account\":"
           "\"FI2112345600000785\",\"amount\":\"1500.00\",\"reference\":\"RF18539007547034\","
           "\"message\":null,\"due_date\":\"2025-12-31\",\"checks\":{\"iban\":true,"
           "\"rf_reference\":true},\"invoice_number\":null,\"seller_id\":null,\"total\":null,"
           "\"report\":"},
      {"qr-kuva.jpg", "{\"input\":\"BCD\\n002\\n1\\nSCT\\n\\nYritys Oy\\n"},
      {"sivut.tif", koodi(V4, "sivut.tif", "1", "\"barcode\"", false, S1)},
      {"", "{\"input\":\"" + QR + "\",\"file\":\"sivut.tif\",\"page\":2,"},
      {"alfa.png", koodi(V4, "alfa.png", "null", "\"barcode\"", false, S1)},
      {"alfa.tif", koodi(V4, "alfa.tif", "null", "\"barcode\"", false, S1)},
      {"syva.png", koodi(V4, "syva.png", "null", "\"barcode\"", false, S1)},
      {"paletti.png", koodi(V4, "paletti.png", "null", "\"barcode\"", false, S1)},
      {"cmyk.jpg", koodi(V4, "cmyk.jpg", "null", "\"barcode\"", false, S1)},
      {"taulukko.pdf", koodi(V4, "taulukko.pdf", "1", "\"text\"", false, S1)},
      {"qr-vika.png",
       "{\"input\":\"BCD\\n003\\n1\\nSCT\\n\\nYritys Oy\\nFI2112345600000785\","
       "\"file\":\"qr-vika.png\",\"page\":null,\"sources\":[\"qr\"],\"conflict\":false,"
       "\"conflict_fields\":[],\"duplicate_of\":null,\"kind\":\"qr\",\"reason\":\"EPC-QR-koodi: "
       "versio"},
      {"qr-muu.png",
       "{\"input\":\"https://example.com/lasku\",\"file\":\"qr-muu.png\",\"page\":null,"
       "\"sources\":[\"qr\"],\"conflict\":false,\"conflict_fields\":[],\"duplicate_of\":null,"
       "\"kind\":\"other_code\""},
      {"epi.xml", koodi(V4, "epi.xml", "null", "\"finvoice\"", false, S1)},
      // The message's barcode and its payment details name different payments.
      {"virtuaali.xml", koodi(V5, "virtuaali.xml", "null", "\"finvoice\"", true)},
      {"", koodi(V4, "virtuaali.xml", "null", "\"payment_details\"", true)},
      {"pankista.xml", koodi(V4, "pankista.xml", "null", "\"finvoice\"", false, S1) +
                           ",\"version\":4,\"account\":\"FI2112345600000785\""},
      {"", koodi(V4, "pankista.xml", "null", "\"finvoice\"", false, S1)},
      {"pommi.xml", tyhja("pommi.xml", "unreadable") + ",\"reason\":\"Finvoice-sanoma määrittelee"},
      // A message's barcode is judged as a barcode, one digit short too.
      {"lyhyt.xml",
       "{\"input\":\"" + V4.substr(0, 53) +
           "\",\"file\":\"lyhyt.xml\",\"page\":null,\"sources\":[\"finvoice\"],\"conflict\":false,"
           "\"conflict_fields\":[],\"duplicate_of\":null,\"kind\":\"wrong_length\",\"length\":53"},
      // Sniffed by structure: the root after a long comment; a PNG's comment.
      {"pitka.xml",
       koodi(V5, "pitka.xml", "null", "\"finvoice\"", false, "\"file\":\"kaksi.pdf\",\"page\":2")},
      {"pdfkommentti.png", koodi(V4, "pdfkommentti.png", "null", "\"barcode\"", false, S1)},
      {"katkennut.pdf", tyhja("katkennut.pdf", "unreadable")},
      {"teksti.txt", tyhja("teksti.txt", "unreadable")},
      // A folder: its regular files in name order, not its subfolders.
      {"kansio", tyhja("kansio/a.txt", "unreadable")},
      {"", "{\"input\":\"https://example.com/lasku\",\"file\":\"kansio/b.png\""},
      {"puuttuva.pdf", tyhja("puuttuva.pdf", "unreadable")},
  };
  std::string tiedostot;
  for (const Rivi& r : rivit) {
    tiedostot += r.tiedosto.empty() ? "" : " " + r.tiedosto;
  }
  const Tulos t =
      aja("read --json" + tiedostot, "", "</dev/null >" + (kansio.polku / "ulos").string(),
          "cd " + kansio.polku.string() + " && " KELVIO_BIN);
  std::istringstream ulos(lue(kansio.polku / "ulos"));
  std::string rivi;
  for (const Rivi& r : rivit) {
    ASSERT_TRUE(std::getline(ulos, rivi)) << r.alku;
    EXPECT_EQ(rivi.substr(0, r.alku.size()), r.alku);
  }
  EXPECT_FALSE(std::getline(ulos, rivi)) << rivi;
  EXPECT_EQ(t.tila, 5);  // a conflict and double payments win over files without a code
  // Every record in the published form.
  if (std::system("python3 -c 'import jsonschema' 2>/dev/null") == 0) {
    EXPECT_EQ(std::system(("python3 " KELVIO_TESTIT "/../../scripts/skeema.py " KELVIO_TESTIT
                           "/../../docs/kelvio-read.schema.json " +
                           (kansio.polku / "ulos").string() + " >/dev/null")
                              .c_str()),
              0);
  } else {
    ADD_FAILURE() << "python3-jsonschema is needed (the test command installs it)";
  }

  // Each cause of an exit status alone, and the text's warnings.
  struct Paluu {
    std::string tiedostot;
    int tila;
    std::string teksti;  // in the text report
  };
  const Paluu paluut[] = {
      {"symboli.pdf", 0, "Summa =   1 500,00 \u20ac"},
      {"symboli.pdf qr-vika.png", 1, "EPC-QR-koodi: versio"},
      {"symboli.pdf tyhja.png", 4, "Tiedostosta ei löytynyt"},
      {"qr-vika.png tyhja.png", 4, "Tiedostosta ei löytynyt"},
      {"ristiriita.pdf", 5, "Huom! Viite ei täsmää: viivakoodi 1234561; teksti RF18539007547034."},
      {"ristiriita.pdf", 5,
       "Huom! Summa ei täsmää: viivakoodi 1 500,00 \u20ac; teksti 10,00 \u20ac."},
      {"ristiriita.pdf", 5, "älä maksa ennen kuin oikeat tiedot on varmistettu laskuttajalta"},
      {"symboli.pdf symboli.png", 5,
       "Huom! Sama maksu (tili, viite ja summa) kuin symboli.pdf, sivu 1"},
      {"symboli.png", 0,
       "Sivulla ei ole tekstiä: tulostettuja tietoja ei voitu verrata koodeihin."},
      {"qr.png", 0, "Saaja = Yritys Oy"},
      {"lyhyt.xml", 1, "Viivakoodin pituus on 53 merkkiä"},
      // Nothing of a file starts a line of its own in the report.
      {"'rivi\r\nkatkos.png'", 0, "rivi^M^Jkatkos.png (QR-koodi):"},
      {"qr-rivit.png", 0, "Muu koodi, ei maksun tietoja: rivi1^M^Jrivi2"},
      // Two messages of one file paying alike are one file's, not double payments.
      {"pankista.xml", 0, "pankista.xml, lasku 1, Myyjä € Oy (Finvoice):"},
      {"symboli.pdf tyhja.png qr.png qr-kuva.jpg --summary", 5,
       "Yhteenveto: 4 tiedostoa, 3 maksua, yhteensä 3 000,00 € (kukin kaksoismaksu kerran)\n"
       "Ei koodia: 1 (tyhja.png)\nLukukelvottomia: 0\nRistiriitaisia: 0\n"
       "Kaksoismaksuja: 1 (qr-kuva.jpg)"},
  };
  for (const Paluu& p : paluut) {
    const Tulos r = aja("read " + p.tiedostot, "", "</dev/null >" + (kansio.polku / "t").string(),
                        "cd " + kansio.polku.string() + " && " KELVIO_BIN);
    EXPECT_EQ(r.tila, p.tila) << p.tiedostot;
    const std::string teksti = lue(kansio.polku / "t");
    EXPECT_NE(teksti.find(p.teksti), std::string::npos) << p.tiedostot << ":\n" << teksti;
  }
  const Tulos yhteenveto = aja("read --json --summary symboli.pdf tyhja.png qr.png qr-kuva.jpg", "",
                               "</dev/null >" + (kansio.polku / "j").string(),
                               "cd " + kansio.polku.string() + " && " KELVIO_BIN);
  const std::string json = lue(kansio.polku / "j");
  EXPECT_EQ(std::system(("python3 " KELVIO_TESTIT "/../../scripts/skeema.py " KELVIO_TESTIT
                         "/../../docs/kelvio-read.schema.json " +
                         (kansio.polku / "j").string() + " >/dev/null")
                            .c_str()),
            0);
  EXPECT_NE(json.find("\n{\"kind\":\"summary\",\"files\":4,\"payments\":3,\"total\":\"3000.00\","
                      "\"not_found\":1,\"unreadable\":0,\"conflicts\":0,\"duplicates\":1}\n"),
            std::string::npos)
      << json;
  EXPECT_EQ(aja("read").tila, 2);
  // The README's synopsis is the one the help text makes from the options.
  const std::string ohje = aja("read --help").tuloste;
  const std::size_t alku = ohje.find("kelvio read");
  const std::string synopsi = ohje.substr(alku, ohje.find('\n') - alku);
  EXPECT_NE(lue(KELVIO_TESTIT "/../../README.md").find("\n" + synopsi + "\n"), std::string::npos)
      << synopsi;

#ifndef KELVIO_ASAN
  // A caller's lower address-space limit: the rendering threads fit in it,
  // and no page of the file is lost.
  const Tulos rajattu = aja("read --json a1.pdf", "", ">" + (kansio.polku / "a1").string(),
                            "cd " + kansio.polku.string() + " && ulimit -v 800000 && " KELVIO_BIN);
  EXPECT_EQ(rajattu.tila, 0) << rajattu.virheet;
  const std::string a1 = lue(kansio.polku / "a1");
  for (int sivu = 1; sivu <= 4; ++sivu) {
    EXPECT_NE(a1.find("\"file\":\"a1.pdf\",\"page\":" + std::to_string(sivu) +
                      ",\"sources\":[\"barcode\"]"),
              std::string::npos)
        << a1;
  }
#endif
}

// The process that decodes a file dies with kelvio, however kelvio ends:
// stopped where it is, with its parent killed, it does not stay behind.
TEST(KelvioRead, LapsiKuoleeVanhempansaKanssa) {
  if (std::system("command -v rsvg-convert >/dev/null && command -v qrencode >/dev/null && "
                  "convert -version >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "rsvg-convert, qrencode and ImageMagick are needed";
  }
  const OmaKansio kansio;
  ASSERT_EQ(std::system(("sh " KELVIO_TESTIT "/lue-naytteet.sh " KELVIO_BIN " " +
                         kansio.polku.string() + " >/dev/null 2>&1")
                            .c_str()),
            0);
  const std::string a1 = (kansio.polku / "a1.pdf").string();
  const pid_t kelvio = fork();
  if (kelvio == 0) {
    const int tyhja = open("/dev/null", O_WRONLY);
    dup2(tyhja, 1);
    execl(KELVIO_BIN, KELVIO_BIN, "read", a1.c_str(), a1.c_str(), a1.c_str(), nullptr);
    _exit(127);
  }
  // Its child, found by its parent's number in /proc.
  const auto lapset = [&] {
    std::vector<pid_t> pidit;
    for (const auto& e : fs::directory_iterator("/proc")) {
      const std::string nimi = e.path().filename().string();
      if (nimi.find_first_not_of("0123456789") != std::string::npos) {
        continue;
      }
      std::ifstream f(e.path() / "stat");
      std::string rivi;
      std::getline(f, rivi);
      const std::size_t loppu = rivi.rfind(')');
      std::istringstream kentat(loppu == std::string::npos ? "" : rivi.substr(loppu + 2));
      char tila = 0;
      pid_t vanhempi = 0;
      if (kentat >> tila >> vanhempi && vanhempi == kelvio) {
        pidit.push_back(std::stoi(nimi));
      }
    }
    return pidit;
  };
  std::vector<pid_t> lapsi;
  for (int i = 0; i < 5000 && lapsi.empty(); ++i) {
    lapsi = lapset();
    if (lapsi.empty()) {
      usleep(2000);
    }
  }
  ASSERT_FALSE(lapsi.empty()) << "kelvio read started no child";
  // Stopped once it has set itself up: its CPU limit is set after the rest.
  const auto valmis = [](pid_t p) {
    std::ifstream f("/proc/" + std::to_string(p) + "/limits");
    std::string rivi;
    while (std::getline(f, rivi)) {
      if (rivi.starts_with("Max cpu time")) {
        return rivi.find("unlimited") == std::string::npos;
      }
    }
    return true;  // gone already
  };
  for (const pid_t p : lapsi) {
    for (int i = 0; i < 5000 && !valmis(p); ++i) {
      usleep(1000);
    }
    kill(p, SIGSTOP);
  }
  kill(kelvio, SIGKILL);
  waitpid(kelvio, nullptr, 0);
  // Gone, or a zombie that only waits for init to reap it.
  const auto elossa = [](pid_t p) {
    std::ifstream f("/proc/" + std::to_string(p) + "/stat");
    std::string rivi;
    if (!std::getline(f, rivi)) {
      return false;
    }
    const std::size_t loppu = rivi.rfind(')');
    return loppu == std::string::npos || rivi.substr(loppu + 2, 1) != "Z";
  };
  for (const pid_t p : lapsi) {
    bool elaa = true;
    for (int i = 0; i < 5000 && elaa; ++i) {
      elaa = elossa(p);
      if (elaa) {
        usleep(2000);
      }
    }
    EXPECT_FALSE(elaa) << "child " << p << " outlived kelvio";
    kill(p, SIGKILL);  // whatever the result, leave nothing behind
  }
}

}  // namespace
