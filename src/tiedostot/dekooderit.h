// The decoders behind lueTiedosto, one file each: each takes the file's
// bytes and the limits, and checks the limits before it decodes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sivu.h"
#include "tiedosto.h"

namespace kelvio {

// An 8-bit grey image, rows top to bottom.
struct Harmaakuva {
  int leveys = 0;
  int korkeus = 0;
  std::vector<unsigned char> pikselit;
};

// Each hands every page to sivuille and returns what it could read; the
// result's pages are left to the caller.
Tiedostotulos luePdf(std::string_view tavut, const Rajat& rajat, const Sivuille& sivuille);
Tiedostotulos lueKuva(std::string_view tavut, const Rajat& rajat,
                      const Sivuille& sivuille);  // PNG or JPEG
Tiedostotulos lueTiff(std::string_view tavut, const Rajat& rajat, const Sivuille& sivuille);

// The threads that render a PDF: one a core (or rajat.saikeita), never more
// pages, and never more than the address space allows each its page's
// bitmap and what is made of it, a document of its own, beside what the
// libraries and the file take (rajat.muistia 0: no limit). At least one.
inline constexpr double PIKSELIN_TAVUJA = 4;
inline constexpr double DOKUMENTIN_KERROIN = 4;
inline constexpr std::uint64_t PERUSMUISTI = 256ULL << 20;
unsigned piirtosaikeita(const Rajat& rajat, double sivunPikseleita, std::size_t tiedostonKoko,
                        unsigned sivuja, unsigned ytimia);

// A file of more pages than the limit, or of none: the reason, else "".
std::string sivujaLiikaa(std::string_view tiedostossa, std::uint64_t sivuja, const Rajat& rajat);

// An image of no pixels or of more than the limit, and the reason in Finnish.
bool liianSuuri(std::uint64_t leveys, std::uint64_t korkeus, const Rajat& rajat);
std::string liianSuuriSyy(std::uint64_t leveys, std::uint64_t korkeus);

// The bank barcode symbols (Code 128) and QR codes in an image, top to bottom.
std::vector<Loyto> etsiSymbolit(const unsigned char* pikselit, int leveys, int korkeus,
                                int rivinPituus);

}  // namespace kelvio
