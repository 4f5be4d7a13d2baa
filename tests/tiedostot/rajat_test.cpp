// The limits that keep one file from costing more than its own record, each
// checked before anything is decoded.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "dekooderit.h"
#include "tiedosto.h"

namespace kelvio {
namespace {

const Sivuille EI_SIVUJA = [](std::size_t, const Sivu&) { ADD_FAILURE() << "a page was decoded"; };

std::string iso(std::uint32_t n) {
  std::string t;
  for (int i = 3; i >= 0; --i) {
    t += static_cast<char>(n >> (8 * i) & 0xFF);
  }
  return t;
}

// The signature and a header that claims the size; no pixels follow.
std::string pngOtsake(std::uint32_t leveys, std::uint32_t korkeus) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + iso(13) + "IHDR" + iso(leveys) + iso(korkeus) +
         std::string("\x08\x00\x00\x00\x00", 5) + iso(0);
}

// A one-page PDF of the given size in points; poppler mends its cross
// references.
std::string pdf(int leveys, int korkeus) {
  return "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[3 0 R]"
         "/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 " +
         std::to_string(leveys) + " " + std::to_string(korkeus) +
         "]>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n";
}

TEST(Rajat, Pikseleita) {
  Rajat r;
  r.pikseleita = 1000;
  const Tiedostotulos suuri = lueKuva(pngOtsake(1001, 1), r, EI_SIVUJA);
  EXPECT_EQ(suuri.syy, "kuva on 1001 × 1 pikseliä, enemmän kuin sallitaan");
  EXPECT_EQ(lueKuva(pngOtsake(0, 5), r, EI_SIVUJA).syy,
            "kuva on 0 × 5 pikseliä, enemmän kuin sallitaan");
  // At the limit the header passes; the missing pixels break the file.
  EXPECT_EQ(lueKuva(pngOtsake(1000, 1), r, EI_SIVUJA).syy, "PNG-kuva on rikki tai katkennut");
}

TEST(Rajat, Sivuja) {
  Rajat r;
  r.sivuja = 3;
  EXPECT_EQ(sivujaLiikaa("PDF-tiedostossa", 0, r), "PDF-tiedostossa on 0 sivua (enintään 3)");
  EXPECT_EQ(sivujaLiikaa("PDF-tiedostossa", 1, r), "");
  EXPECT_EQ(sivujaLiikaa("PDF-tiedostossa", 3, r), "");
  EXPECT_EQ(sivujaLiikaa("TIFF-tiedostossa", 4, r), "TIFF-tiedostossa on 4 sivua (enintään 3)");
}

TEST(Rajat, SivunKoko) {
  Rajat r;
  r.sivunSivuMm = 1500;
  // 1500 mm is 4251.97 points.
  EXPECT_EQ(luePdf(pdf(4253, 100), r, EI_SIVUJA).syy,
            "sivu 1 on 1500 × 35 mm, suurempi kuin sallitaan");
  r.pikseleita = 100;  // 300 dpi: 1 square inch is 90,000 pixels
  EXPECT_EQ(luePdf(pdf(72, 72), r, EI_SIVUJA).syy, "sivu 1 on 25 × 25 mm, suurempi kuin sallitaan");
}

// The rendering threads: one a core, never more than the pages, never more
// than the address space holds, whatever the core count.
TEST(Rajat, PiirtosaikeitaMuistinMukaan) {
  constexpr double A4 = 2480.0 * 3508;  // pixels at 300 dpi
  constexpr double A1 = 7016.0 * 9933;
  const auto raja = [](std::uint64_t muistia, unsigned saikeita = 0) {
    Rajat r;
    r.muistia = muistia;
    r.saikeita = saikeita;
    return r;
  };
  struct Rivi {
    const char* tilanne;
    Rajat rajat;
    double pikseleita;
    std::size_t tavuja;
    unsigned sivuja, ytimia, odotettu;
  };
  const std::uint64_t GIB = 1ULL << 30;
  const double a1Saikeelle = PIKSELIN_TAVUJA * A1 + DOKUMENTIN_KERROIN * 1e6;
  const auto mahtuu = [&](std::uint64_t muistia) {
    return static_cast<unsigned>((static_cast<double>(muistia - PERUSMUISTI) - 2e6) / a1Saikeelle);
  };
  const Rivi rivit[] = {
      {"A4 pages, two cores", raja(3 * GIB), A4, 1000000, 60, 2, 2},
      {"no more threads than pages", raja(3 * GIB), A4, 1000000, 1, 16, 1},
      {"A1 pages on 16 cores: what 3 GiB holds", raja(3 * GIB), A1, 1000000, 16, 16,
       mahtuu(3 * GIB)},
      {"a caller's lower limit", raja(GIB), A1, 1000000, 16, 16, mahtuu(GIB)},
      {"a limit below one page still reads with one", raja(300ULL << 20), A1, 1000000, 16, 16, 1},
      {"the threads asked for, within memory", raja(3 * GIB, 3), A4, 1000000, 60, 16, 3},
      {"no limit: one a core", raja(0), A1, 1000000, 60, 16, 16},
  };
  for (const Rivi& r : rivit) {
    const unsigned n = piirtosaikeita(r.rajat, r.pikseleita, r.tavuja, r.sivuja, r.ytimia);
    EXPECT_EQ(n, r.odotettu) << r.tilanne;
    if (r.rajat.muistia != 0 && n > 1) {
      EXPECT_LE(PERUSMUISTI + 2 * r.tavuja +
                    n * (PIKSELIN_TAVUJA * r.pikseleita + DOKUMENTIN_KERROIN * r.tavuja),
                static_cast<double>(r.rajat.muistia))
          << r.tilanne;
    }
  }
  EXPECT_LT(mahtuu(3 * GIB), 16U);  // the row above asks for fewer than the cores
}

TEST(Rajat, Tavuja) {
  const auto polku = std::filesystem::temp_directory_path() / "kelvio-rajat-test.pdf";
  {
    std::ofstream f(polku, std::ios::binary);
    f << std::string((1U << 20) + 1, ' ');
  }
  Rajat r;
  r.tavuja = 1U << 20;
  EXPECT_EQ(lueTiedosto(polku.string(), r).syy, "tiedosto on suurempi kuin 1 MiB");
  std::filesystem::remove(polku);
}

// Each page (here each message) is handed on when it is done, not kept; the
// child sends them so, and the parent puts them back in their places.
TEST(Rajat, SivutValmistuessaan) {
  const auto polku = std::filesystem::temp_directory_path() / "kelvio-sivut-test.xml";
  {
    std::ofstream f(polku, std::ios::binary);
    f << "<?xml version=\"1.0\"?>\n<Laskut>";
    for (const char* numero : {"7", "8", "9"}) {
      f << "<Finvoice><InvoiceDetails><InvoiceNumber>" << numero
        << "</InvoiceNumber></InvoiceDetails></Finvoice>";
    }
    f << "</Laskut>\n";
  }
  std::vector<std::pair<std::size_t, std::string>> valmiit;
  const Tiedostotulos t =
      lueTiedosto(polku.string(), Rajat{}, [&](std::size_t numero, Sivutulos&& sivu) {
        valmiit.emplace_back(numero, sivu.lasku.numero);
      });
  EXPECT_TRUE(t.sivut.empty());
  const std::vector<std::pair<std::size_t, std::string>> odotetut{{0, "7"}, {1, "8"}, {2, "9"}};
  EXPECT_EQ(valmiit, odotetut);
#ifndef _WIN32
  // On Windows the child is kelvio.exe started again (tests/lue-wine.sh).
  const Tiedostotulos lapsesta = lueEristettyna(polku.string(), Rajat{});
  ASSERT_EQ(lapsesta.sivut.size(), 3U) << lapsesta.syy;
  EXPECT_EQ(lapsesta.sivut[0].lasku.numero, "7");
  EXPECT_EQ(lapsesta.sivut[2].lasku.numero, "9");
#endif
  std::filesystem::remove(polku);
}

}  // namespace
}  // namespace kelvio
