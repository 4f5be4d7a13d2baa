// PNG through libpng and JPEG through libjpeg(-turbo), decoded to grey after
// their headers have shown a size within the limits.
#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include "dekooderit.h"

namespace kelvio {

bool liianSuuri(std::uint64_t leveys, std::uint64_t korkeus, const Rajat& rajat) {
  return leveys == 0 || korkeus == 0 || leveys * korkeus > rajat.pikseleita;
}

std::string liianSuuriSyy(std::uint64_t leveys, std::uint64_t korkeus) {
  return "kuva on " + std::to_string(leveys) + " × " + std::to_string(korkeus) +
         " pikseliä, enemmän kuin sallitaan";
}

namespace {

struct PngLuku {
  std::string_view tavut;
  std::size_t kohta = 0;
};

void pngLue(png_structp png, png_bytep kohde, png_size_t n) {
  auto* l = static_cast<PngLuku*>(png_get_io_ptr(png));
  if (l->tavut.size() - l->kohta < n) {
    png_error(png, "katkennut");
  }
  std::copy_n(l->tavut.data() + l->kohta, n, kohde);
  l->kohta += n;
}

void pngVirhe(png_structp png, png_const_charp /*viesti*/) {
  png_longjmp(png, 1);
}

void pngVaroitus(png_structp /*png*/, png_const_charp /*viesti*/) {}

// The size from the header (IHDR comes first), before libpng sees the file.
bool pngKoko(std::string_view tavut, std::uint64_t& leveys, std::uint64_t& korkeus) {
  if (tavut.size() < 24 || tavut.substr(12, 4) != "IHDR") {
    return false;
  }
  const auto luku = [&](std::size_t kohta) {
    std::uint64_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      n = n << 8 | static_cast<unsigned char>(tavut[kohta + i]);
    }
    return n;
  };
  leveys = luku(16);
  korkeus = luku(20);
  return true;
}

bool luePng(std::string_view tavut, const Rajat& rajat, Harmaakuva& kuva, std::string& syy) {
  std::uint64_t otsakeLeveys = 0;
  std::uint64_t otsakeKorkeus = 0;
  if (!pngKoko(tavut, otsakeLeveys, otsakeKorkeus)) {
    syy = "PNG-kuva on rikki tai katkennut";
    return false;
  }
  if (liianSuuri(otsakeLeveys, otsakeKorkeus, rajat)) {
    syy = liianSuuriSyy(otsakeLeveys, otsakeKorkeus);
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngVirhe, pngVaroitus);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    syy = "muisti ei riitä";
    return false;
  }
  PngLuku luku{tavut};
  std::vector<png_bytep> rivit;
  // libpng reports its errors by longjmp: nothing with a destructor lives
  // between here and the calls that may jump.
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    syy = "PNG-kuva on rikki tai katkennut";
    return false;
  }
  png_set_read_fn(png, &luku, pngLue);
  png_read_info(png, info);
  const png_uint_32 leveys = png_get_image_width(png, info);
  const png_uint_32 korkeus = png_get_image_height(png, info);
  if (liianSuuri(leveys, korkeus, rajat)) {
    png_destroy_read_struct(&png, &info, nullptr);
    syy = liianSuuriSyy(leveys, korkeus);
    return false;
  }
  png_set_expand(png);
  png_set_strip_16(png);
  // Transparent parts are paper: composited over white, as a viewer shows
  // them (their colour values are often black).
  png_color_16 valkoinen{};
  valkoinen.red = valkoinen.green = valkoinen.blue = valkoinen.gray = 255;
  png_set_background_fixed(png, &valkoinen, PNG_BACKGROUND_GAMMA_SCREEN, 0, PNG_FP_1);
  png_set_rgb_to_gray_fixed(png, 1, -1, -1);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  kuva.leveys = static_cast<int>(leveys);
  kuva.korkeus = static_cast<int>(korkeus);
  kuva.pikselit.resize(static_cast<std::size_t>(leveys) * korkeus);
  rivit.resize(korkeus);
  for (png_uint_32 y = 0; y < korkeus; ++y) {
    rivit[y] = kuva.pikselit.data() + static_cast<std::size_t>(y) * leveys;
  }
  png_read_image(png, rivit.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

// Ink to light: Adobe's applications (and so most CMYK JPEGs, the scanners'
// too) store the inks inverted, 255 for none; others store 0 for none.
void cmykHarmaaksi(const unsigned char* cmyk, unsigned char* harmaa, std::size_t leveys,
                   bool kaannetty) {
  for (std::size_t x = 0; x < leveys; ++x, cmyk += 4) {
    unsigned valo[4];
    for (int k = 0; k < 4; ++k) {
      valo[k] = kaannetty ? cmyk[k] : 255U - cmyk[k];
    }
    const unsigned r = valo[0] * valo[3] / 255;
    const unsigned g = valo[1] * valo[3] / 255;
    const unsigned b = valo[2] * valo[3] / 255;
    harmaa[x] = static_cast<unsigned char>((299 * r + 587 * g + 114 * b) / 1000);
  }
}

struct JpegVirhe {
  jpeg_error_mgr perus;
  std::jmp_buf hyppy;
};

void jpegVirhe(j_common_ptr j) {
  std::longjmp(reinterpret_cast<JpegVirhe*>(j->err)->hyppy, 1);
}

void jpegEiViesteja(j_common_ptr /*j*/) {}

bool lueJpeg(std::string_view tavut, const Rajat& rajat, Harmaakuva& kuva, std::string& syy) {
  jpeg_decompress_struct j{};
  JpegVirhe virhe{};
  j.err = jpeg_std_error(&virhe.perus);
  virhe.perus.error_exit = jpegVirhe;
  virhe.perus.output_message = jpegEiViesteja;
  std::vector<unsigned char> cmykRivi;  // before the jump's target, so that a jump frees it
  // As for PNG: nothing with a destructor between here and the jumps.
  if (setjmp(virhe.hyppy) != 0) {
    jpeg_destroy_decompress(&j);
    syy = "JPEG-kuva on rikki tai katkennut";
    return false;
  }
  jpeg_create_decompress(&j);
  jpeg_mem_src(&j, reinterpret_cast<const unsigned char*>(tavut.data()),
               static_cast<unsigned long>(tavut.size()));
  jpeg_read_header(&j, TRUE);
  if (liianSuuri(j.image_width, j.image_height, rajat)) {
    syy = liianSuuriSyy(j.image_width, j.image_height);
    jpeg_destroy_decompress(&j);
    return false;
  }
  // libjpeg turns YCCK into CMYK but neither into grey: those come as CMYK.
  const bool cmyk = j.jpeg_color_space == JCS_CMYK || j.jpeg_color_space == JCS_YCCK;
  j.out_color_space = cmyk ? JCS_CMYK : JCS_GRAYSCALE;
  jpeg_start_decompress(&j);
  kuva.leveys = static_cast<int>(j.output_width);
  kuva.korkeus = static_cast<int>(j.output_height);
  kuva.pikselit.resize(static_cast<std::size_t>(j.output_width) * j.output_height);
  if (cmyk) {
    cmykRivi.resize(static_cast<std::size_t>(j.output_width) * 4);
  }
  while (j.output_scanline < j.output_height) {
    unsigned char* kohde =
        kuva.pikselit.data() + static_cast<std::size_t>(j.output_scanline) * j.output_width;
    JSAMPROW rivi = cmyk ? cmykRivi.data() : kohde;
    jpeg_read_scanlines(&j, &rivi, 1);
    if (cmyk) {
      cmykHarmaaksi(rivi, kohde, j.output_width, j.saw_Adobe_marker != 0);
    }
  }
  jpeg_finish_decompress(&j);
  jpeg_destroy_decompress(&j);
  return true;
}

}  // namespace

Tiedostotulos lueKuva(std::string_view tavut, const Rajat& rajat, const Sivuille& sivuille) {
  Tiedostotulos t;
  Harmaakuva kuva;
  const bool png = tavut.substr(0, 4) == "\x89PNG";
  if (!(png ? luePng(tavut, rajat, kuva, t.syy) : lueJpeg(tavut, rajat, kuva, t.syy))) {
    return t;
  }
  t.luettu = true;
  Sivu sivu;
  sivu.pikselit = kuva.pikselit.data();
  sivu.leveys = kuva.leveys;
  sivu.korkeus = kuva.korkeus;
  sivu.rivinPituus = kuva.leveys;
  sivuille(0, sivu);
  return t;
}

}  // namespace kelvio
