// Symbols through ZXing-C++: Code 128 for the bank barcode, QR for the EPC code.
#include <algorithm>

#define ZX_USE_UTF8 1  // text() as UTF-8, as the library recommends
#include <ZXing/ReadBarcode.h>

#include "dekooderit.h"

namespace kelvio {

namespace {

void etsi(const ZXing::ImageView& kuva, ZXing::BarcodeFormats muodot, bool tarkasti, int korkeus,
          std::vector<Loyto>& loydot) {
  ZXing::DecodeHints vihjeet;
  vihjeet.setFormats(muodot);
  vihjeet.setTryHarder(tarkasti);
  vihjeet.setTryRotate(tarkasti);
  for (const ZXing::Result& r : ZXing::ReadBarcodes(kuva, vihjeet)) {
    if (!r.isValid()) {
      continue;
    }
    const auto& p = r.position();
    const int y = std::min({p.topLeft().y, p.topRight().y, p.bottomLeft().y, p.bottomRight().y});
    loydot.push_back({r.format() == ZXing::BarcodeFormat::QRCode ? Lahde::Qr : Lahde::Viivakoodi,
                      r.text(), static_cast<double>(y) / std::max(1, korkeus)});
  }
}

}  // namespace

std::vector<Loyto> etsiSymbolit(const unsigned char* pikselit, int leveys, int korkeus,
                                int rivinPituus) {
  const ZXing::ImageView kuva(pikselit, leveys, korkeus, ZXing::ImageFormat::Lum, rivinPituus);
  std::vector<Loyto> loydot;
  // A quick look first, which reads the upright symbols of a rendered page;
  // a kind it did not find is then searched for with rotations and the
  // harder binarizer, which scans need (bench/lue.sh: the gain).
  etsi(kuva, ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode, false, korkeus, loydot);
  for (const auto& [muoto, lahde] : {std::pair(ZXing::BarcodeFormat::Code128, Lahde::Viivakoodi),
                                     std::pair(ZXing::BarcodeFormat::QRCode, Lahde::Qr)}) {
    if (std::none_of(loydot.begin(), loydot.end(),
                     [lahde = lahde](const Loyto& l) { return l.lahde == lahde; })) {
      etsi(kuva, muoto, true, korkeus, loydot);
    }
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Loyto& a, const Loyto& b) { return a.y < b.y; });
  return loydot;
}

}  // namespace kelvio
