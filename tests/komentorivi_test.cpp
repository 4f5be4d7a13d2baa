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

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Tulos {
  int tila;
  std::string tuloste;
  std::string virheet;
};

// Runs kelvio with the arguments (already quoted for the shell) and stdin.
Tulos aja(const std::string& argumentit, const std::string& syote = "") {
  const fs::path kansio = fs::temp_directory_path();
  const fs::path sisaan = kansio / "kelvio-e2e-in";
  const fs::path ulos = kansio / "kelvio-e2e-out";
  const fs::path virhe = kansio / "kelvio-e2e-err";
  std::ofstream(sisaan, std::ios::binary) << syote;
  const std::string komento = std::string(KELVIO_BIN) + " " + argumentit + " <" + sisaan.string() +
                              " >" + ulos.string() + " 2>" + virhe.string();
  const int tila = std::system(komento.c_str());
  auto lue = [](const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  };
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
  EXPECT_EQ(aja("--version").tuloste, "kelvio 1.00\n");
}

TEST(Kelvio, Json) {
  const Tulos t = aja("--json", V2 + "\n" + V5 + "\nx\"\\\x01\n3" + V2.substr(1) + "\n");
  EXPECT_EQ(t.tila, 1);
  EXPECT_EQ(
      t.tuloste,
      "{\"input\":\"" + V2 +
          "\",\"kind\":\"interpretation\",\"version\":2,\"account\":\"912345-123\","
          "\"reference\":\"12345\",\"due_date\":\"2025-03-31\",\"amount\":\"123.45\","
          "\"checks\":{\"account\":false,\"reference\":false},"
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

TEST(Kelvio, VirheMeneeVirhevirtaanJaLokiin) {
  std::string v4 = V4;
  v4.replace(17, 8, "9E999999");
  const Tulos t = aja(v4);
  EXPECT_EQ(t.tila, 1);
  EXPECT_NE(t.tuloste.find("Summa =    0,00 €"), std::string::npos);
  EXPECT_NE(
      t.virheet.find("Overflow\n(virhe 6)\n\nKutsurivi      2000\nModuulista   euro\n"
                     "Rutiinista     fe_yleisval\nterms=Overflow+virhe;6+2000+euro+fe%5Fyleisval"),
      std::string::npos)
      << t.virheet;
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
       "account_check", "reference_check", "rf_reference_check"},
      {V4_KELPO, "interpretation", "4", "FI2112345600000785", "1234561", "2025-12-31", "1500.00",
       "true", "", "true", ""},
      {V2, "interpretation", "2", "912345-123", "12345", "2025-03-31", "123.45", "", "false",
       "false", ""},
      {hankala, "wrong_length", "", "", "", "", "", "", "", "", ""},
      {"3" + V2.substr(1), "unknown_version", "", "", "", "", "", "", "", "", ""},
      {"ä€", "wrong_length", "", "", "", "", "", "", "", "", ""},
  };
  EXPECT_EQ(rivit, odotetut) << t.tuloste;
  EXPECT_EQ(aja("--csv --json x").tila, 2);
}

}  // namespace
