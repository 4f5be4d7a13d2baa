#include "qr_svg.h"

#include <cstdio>

#if KELVIO_QR
#include <qrencode.h>
#endif

namespace kelvio {

namespace {

// A module of 0.5 mm: a version-13 symbol (69 modules) with its quiet zone is
// 38.5 mm, a version-5 one 22.5 mm; phone cameras read both at arm's length.
constexpr double MODUULI_MM = 0.5;
constexpr int VAPAA = 4;  // quiet zone, in modules, as ISO/IEC 18004 asks
constexpr int SUURIN_VERSIO = 13;

}  // namespace

#if KELVIO_QR

bool qrKaytettavissa() {
  return true;
}

std::string qrSvg(std::string_view sisalto) {
  QRcode* qr =
      QRcode_encodeData(static_cast<int>(sisalto.size()),
                        reinterpret_cast<const unsigned char*>(sisalto.data()), 0, QR_ECLEVEL_M);
  if (qr == nullptr) {
    return {};
  }
  std::string s;
  if (qr->version <= SUURIN_VERSIO) {
    const int koko = qr->width + 2 * VAPAA;
    char mitat[64];
    std::snprintf(mitat, sizeof mitat, "%.2fmm", koko * MODUULI_MM);
    s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::string(mitat) +
         "\" height=\"" + mitat + "\" viewBox=\"0 0 " + std::to_string(koko) + " " +
         std::to_string(koko) + "\" shape-rendering=\"crispEdges\">\n";
    s += "<title>EPC-QR-koodi</title>\n";
    s += "<rect width=\"" + std::to_string(koko) + "\" height=\"" + std::to_string(koko) +
         "\" fill=\"#fff\"/>\n<path d=\"";
    for (int y = 0; y < qr->width; ++y) {
      for (int x = 0; x < qr->width; ++x) {
        if ((qr->data[y * qr->width + x] & 1U) != 0) {
          s += 'M';
          s += std::to_string(x + VAPAA);
          s += ' ';
          s += std::to_string(y + VAPAA);
          s += "h1v1h-1z";
        }
      }
    }
    s += "\"/>\n</svg>\n";
  }
  QRcode_free(qr);
  return s;
}

#else

bool qrKaytettavissa() {
  return false;
}

std::string qrSvg(std::string_view /*sisalto*/) {
  return {};
}

#endif

}  // namespace kelvio
