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
  png_set_strip_alpha(png);
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
  j.out_color_space = JCS_GRAYSCALE;
  jpeg_start_decompress(&j);
  kuva.leveys = static_cast<int>(j.output_width);
  kuva.korkeus = static_cast<int>(j.output_height);
  kuva.pikselit.resize(static_cast<std::size_t>(j.output_width) * j.output_height);
  while (j.output_scanline < j.output_height) {
    JSAMPROW rivi =
        kuva.pikselit.data() + static_cast<std::size_t>(j.output_scanline) * j.output_width;
    jpeg_read_scanlines(&j, &rivi, 1);
  }
  jpeg_finish_decompress(&j);
  jpeg_destroy_decompress(&j);
  return true;
}

}  // namespace

Tiedostotulos lueKuva(std::string_view tavut, const Rajat& rajat) {
  Tiedostotulos t;
  Harmaakuva kuva;
  const bool png = tavut.substr(0, 4) == "\x89PNG";
  if (!(png ? luePng(tavut, rajat, kuva, t.syy) : lueJpeg(tavut, rajat, kuva, t.syy))) {
    return t;
  }
  t.luettu = true;
  t.sivut.push_back(etsiSymbolit(kuva.pikselit.data(), kuva.leveys, kuva.korkeus, kuva.leveys));
  return t;
}

}  // namespace kelvio
