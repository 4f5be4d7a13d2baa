// The decoders behind lueTiedosto, one file each: each takes the file's
// bytes and the limits, and checks the limits before it decodes.
#pragma once

#include <string_view>
#include <vector>

#include "tiedosto.h"

namespace kelvio {

// An 8-bit grey image, rows top to bottom.
struct Harmaakuva {
  int leveys = 0;
  int korkeus = 0;
  std::vector<unsigned char> pikselit;
};

Tiedostotulos luePdf(std::string_view tavut, const Rajat& rajat);
Tiedostotulos lueKuva(std::string_view tavut, const Rajat& rajat);

// The bank barcode symbols (Code 128) and QR codes in an image, top to bottom.
std::vector<Loyto> etsiSymbolit(const unsigned char* pikselit, int leveys, int korkeus,
                                int rivinPituus);

}  // namespace kelvio
