// Symbols through ZXing-C++: Code 128 for the bank barcode, QR for the EPC code.
#include <algorithm>

#define ZX_USE_UTF8 1  // text() as UTF-8, as the library recommends
#include <ZXing/ReadBarcode.h>

#include "dekooderit.h"

namespace kelvio {

std::vector<Loyto> etsiSymbolit(const unsigned char* pikselit, int leveys, int korkeus,
                                int rivinPituus) {
  ZXing::DecodeHints vihjeet;
  vihjeet.setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode);
  vihjeet.setTryHarder(true);
  vihjeet.setTryRotate(true);
  const ZXing::ImageView kuva(pikselit, leveys, korkeus, ZXing::ImageFormat::Lum, rivinPituus);
  std::vector<Loyto> loydot;
  for (const ZXing::Result& r : ZXing::ReadBarcodes(kuva, vihjeet)) {
    if (!r.isValid()) {
      continue;
    }
    const auto& p = r.position();
    const int y = std::min({p.topLeft().y, p.topRight().y, p.bottomLeft().y, p.bottomRight().y});
    loydot.push_back({r.format() == ZXing::BarcodeFormat::QRCode ? Lahde::Qr : Lahde::Viivakoodi,
                      r.text(), static_cast<double>(y) / std::max(1, korkeus)});
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Loyto& a, const Loyto& b) { return a.y < b.y; });
  return loydot;
}

}  // namespace kelvio
