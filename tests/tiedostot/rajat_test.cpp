// The limits that keep one file from costing more than its own record, each
// checked before anything is decoded.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace
}  // namespace kelvio
