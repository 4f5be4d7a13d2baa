// TIFF through libtiff: every image of the file is a page, each one's size
// checked from its directory before any is decoded.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>

#include <tiffio.h>

#include "dekooderit.h"

namespace kelvio {

namespace {

struct Muistissa {
  std::string_view tavut;
  toff_t kohta = 0;
};

tmsize_t lue(thandle_t h, void* kohde, tmsize_t n) {
  auto* m = static_cast<Muistissa*>(h);
  const toff_t jaljella = m->kohta < m->tavut.size() ? m->tavut.size() - m->kohta : 0;
  const auto maara = static_cast<tmsize_t>(std::min<toff_t>(jaljella, static_cast<toff_t>(n)));
  std::memcpy(kohde, m->tavut.data() + m->kohta, static_cast<std::size_t>(maara));
  m->kohta += static_cast<toff_t>(maara);
  return maara;
}

tmsize_t eiKirjoita(thandle_t /*h*/, void* /*lahde*/, tmsize_t /*n*/) {
  return -1;
}

toff_t siirry(thandle_t h, toff_t kohta, int mista) {
  auto* m = static_cast<Muistissa*>(h);
  const toff_t alku = mista == SEEK_CUR ? m->kohta : mista == SEEK_END ? m->tavut.size() : 0;
  m->kohta = alku + kohta;
  return m->kohta;
}

int sulje(thandle_t /*h*/) {
  return 0;
}

toff_t koko(thandle_t h) {
  return static_cast<Muistissa*>(h)->tavut.size();
}

int eiKarttaa(thandle_t /*h*/, void** /*alku*/, toff_t* /*koko*/) {
  return 0;
}

void eiPuretaKarttaa(thandle_t /*h*/, void* /*alku*/, toff_t /*koko*/) {}

int vaiti(TIFF* /*tif*/, void* /*kayttaja*/, const char* /*moduuli*/, const char* /*muoto*/,
          va_list /*arvot*/) {
  return 1;
}

struct Sulkija {
  void operator()(TIFF* t) const { TIFFClose(t); }
};

}  // namespace

Tiedostotulos lueTiff(std::string_view tavut, const Rajat& rajat, const Sivuille& sivuille) {
  Tiedostotulos t;
  Muistissa muistissa{tavut};
  TIFFOpenOptions* asetukset = TIFFOpenOptionsAlloc();
  if (asetukset == nullptr) {
    t.syy = "muisti ei riitä";
    return t;
  }
  // libtiff's own buffers stay within what one allowed image needs.
  TIFFOpenOptionsSetMaxSingleMemAlloc(asetukset,
                                      static_cast<tmsize_t>(rajat.pikseleita * sizeof(uint32_t)));
  TIFFOpenOptionsSetErrorHandlerExtR(asetukset, vaiti, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(asetukset, vaiti, nullptr);
  const std::unique_ptr<TIFF, Sulkija> tif(
      TIFFClientOpenExt("tiff", "rm", &muistissa, lue, eiKirjoita, siirry, sulje, koko, eiKarttaa,
                        eiPuretaKarttaa, asetukset));
  TIFFOpenOptionsFree(asetukset);
  if (!tif) {
    t.syy = "TIFF-kuva on rikki tai katkennut";
    return t;
  }
  const tdir_t kuvia = TIFFNumberOfDirectories(tif.get());
  if (t.syy = sivujaLiikaa("TIFF-tiedostossa", kuvia, rajat); !t.syy.empty()) {
    return t;
  }
  for (tdir_t i = 0; i < kuvia; ++i) {
    std::uint32_t leveys = 0;
    std::uint32_t korkeus = 0;
    if (TIFFSetDirectory(tif.get(), i) == 0 ||
        TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &leveys) == 0 ||
        TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &korkeus) == 0) {
      t.syy = "TIFF-kuva on rikki tai katkennut";
      return t;
    }
    if (liianSuuri(leveys, korkeus, rajat)) {
      t.syy = liianSuuriSyy(leveys, korkeus);
      return t;
    }
  }
  t.sivuja = kuvia > 1;  // a scanned document of several pages, as a PDF
  std::vector<std::uint32_t> rgba;
  Harmaakuva kuva;
  for (tdir_t i = 0; i < kuvia; ++i) {
    std::uint32_t leveys = 0;
    std::uint32_t korkeus = 0;
    TIFFSetDirectory(tif.get(), i);
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &leveys);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &korkeus);
    kuva.leveys = static_cast<int>(leveys);
    kuva.korkeus = static_cast<int>(korkeus);
    const auto pikseleita = static_cast<std::size_t>(leveys) * korkeus;
    rgba.assign(pikseleita, 0);
    if (TIFFReadRGBAImageOriented(tif.get(), leveys, korkeus, rgba.data(), ORIENTATION_TOPLEFT,
                                  1) == 0) {
      t.syy = "TIFF-tiedoston kuva " + std::to_string(i + 1) + " on rikki";
      return t;
    }
    kuva.pikselit.resize(pikseleita);
    // libtiff gives colour premultiplied by alpha: the rest of each pixel
    // is the white paper showing through.
    std::transform(rgba.begin(), rgba.end(), kuva.pikselit.begin(), [](std::uint32_t p) {
      const std::uint32_t valo =
          (299 * TIFFGetR(p) + 587 * TIFFGetG(p) + 114 * TIFFGetB(p)) / 1000 + 255 - TIFFGetA(p);
      return static_cast<unsigned char>(std::min<std::uint32_t>(valo, 255));
    });
    Sivu sivu;
    sivu.pikselit = kuva.pikselit.data();
    sivu.leveys = kuva.leveys;
    sivu.korkeus = kuva.korkeus;
    sivu.rivinPituus = kuva.leveys;
    sivuille(i, sivu);
  }
  t.luettu = true;
  return t;
}

}  // namespace kelvio
