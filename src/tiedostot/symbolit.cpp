// Symbols through ZXing-C++: Code 128 for the bank barcode, QR for the EPC code.
#include <algorithm>

#define ZX_USE_UTF8 1  // text() as UTF-8, as the library recommends
#include <ZXing/ReadBarcode.h>
#if __has_include(<ZXing/Version.h>)
#include <ZXing/Version.h>
#else
#include <ZXing/ZXVersion.h>
#endif

#include "dekooderit.h"
#include "epc.h"

namespace kelvio {

namespace {

// Debian's ZXing-C++ 1.4 and the 3.x built for Windows name the same things
// differently.
#if ZXING_VERSION_MAJOR >= 2
using Vihjeet = ZXing::ReaderOptions;
using Tulos = ZXing::Barcode;
#else
using Vihjeet = ZXing::DecodeHints;
using Tulos = ZXing::Result;
#endif

// A sampled image smaller than this holds no QR code worth a look.
constexpr int PIENIN_OTOS = 150;

void etsi(const ZXing::ImageView& kuva, ZXing::BarcodeFormats muodot, bool kaanna, int korkeus,
          std::vector<Loyto>& loydot) {
  Vihjeet vihjeet;
  vihjeet.setFormats(muodot);
  vihjeet.setTryHarder(true);
  vihjeet.setTryRotate(kaanna);
  vihjeet.setTryDownscale(false);  // done below, only where it can still find something
  for (const Tulos& r : ZXing::ReadBarcodes(kuva, vihjeet)) {
    if (!r.isValid()) {
      continue;
    }
    const auto& p = r.position();
    const int y = std::min({p.topLeft().y, p.topRight().y, p.bottomLeft().y, p.bottomRight().y});
    const bool qr = r.format() == ZXing::BarcodeFormat::QRCode;
    // A QR code without an ECI names its character set, if at all, in its
    // text (an EPC payload's third line): its bytes are read by that, not by
    // ZXing's guess.
    std::string teksti =
        qr && !r.hasECI()
            ? qrTekstiksi({reinterpret_cast<const char*>(r.bytes().data()), r.bytes().size()})
            : r.text();
    loydot.push_back({qr ? Lahde::Qr : Lahde::Viivakoodi, std::move(teksti),
                      static_cast<double>(y) / std::max(1, korkeus)});
  }
}

bool loytyi(const std::vector<Loyto>& loydot, Lahde lahde) {
  return std::any_of(loydot.begin(), loydot.end(),
                     [lahde](const Loyto& l) { return l.lahde == lahde; });
}

}  // namespace

std::vector<Loyto> etsiSymbolit(const unsigned char* pikselit, int leveys, int korkeus,
                                int rivinPituus) {
  const ZXing::ImageView kuva(pikselit, leveys, korkeus, ZXing::ImageFormat::Lum, rivinPituus);
  std::vector<Loyto> loydot;
  // One look for both kinds, upright and at full size, reads a rendered page
  // and most scans. Only a kind not found gets more, and only what can help
  // it: a bar code turned a quarter or half round needs the rotations; a QR
  // code is found in any orientation by its finder patterns, but a large,
  // blurred one of a photo only in a smaller image, here every third pixel of
  // every third row, then every ninth (ZXing's own downscaling would look at
  // full size again first, and Debian's build asserts in it). bench/
  // symbolit_bench: the gain beside one look with everything on, as
  // ZXingReader does, on a page with a code and on one without.
  etsi(kuva, ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode, false, korkeus, loydot);
  if (!loytyi(loydot, Lahde::Viivakoodi)) {
    etsi(kuva, ZXing::BarcodeFormat::Code128, true, korkeus, loydot);
  }
  // Then what ZXingReader's defaults add for a kind still missing: smaller
  // images, a bar code in them also turned (a blurred photo's bars sharpen
  // when sampled).
  for (int k = 3; std::min(leveys, korkeus) / k >= PIENIN_OTOS; k *= 3) {
    const bool viivakoodi = !loytyi(loydot, Lahde::Viivakoodi);
    const bool qr = !loytyi(loydot, Lahde::Qr);
    if (!viivakoodi && !qr) {
      break;
    }
    const ZXing::ImageView otos(pikselit, leveys / k, korkeus / k, ZXing::ImageFormat::Lum,
                                rivinPituus * k, k);
    const ZXing::BarcodeFormats muodot =
        !viivakoodi ? ZXing::BarcodeFormats(ZXing::BarcodeFormat::QRCode)
        : !qr       ? ZXing::BarcodeFormats(ZXing::BarcodeFormat::Code128)
              : ZXing::BarcodeFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode);
    etsi(otos, muodot, viivakoodi, korkeus / k, loydot);
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Loyto& a, const Loyto& b) { return a.y < b.y; });
  return loydot;
}

}  // namespace kelvio
