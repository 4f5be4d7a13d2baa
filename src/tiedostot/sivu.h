// The seam between the decoders and the rules: each decoder (PDF, PNG/JPEG,
// TIFF) only turns a file into pages, each page a grey image and the words
// of its text layer; sivunKoodit alone turns a page into codes.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "tiedosto.h"
#include "virtuaaliviivakoodi.h"

namespace kelvio {

struct Sivu {
  // An 8-bit grey image, rows top to bottom; none for a page of words only.
  const unsigned char* pikselit = nullptr;
  int leveys = 0;
  int korkeus = 0;
  int rivinPituus = 0;
  std::vector<Sana> sanat;    // the text layer's words; empty for a scan
  double sanojenKorkeus = 1;  // the page's height in the words' units
};

// The codes of one page (its symbols and its printed virtual barcodes, top
// to bottom, each with its top as a fraction of the page's height) and the
// IBANs and amounts it prints for people.
Sivutulos sivunKoodit(const Sivu& sivu);

// What a decoder hands on: page number (0-based) and page. A decoder may
// call it from several threads at once, each with another page.
using Sivuille = std::function<void(std::size_t numero, const Sivu& sivu)>;

}  // namespace kelvio
