#include "viivakoodi_svg.h"

#include <cstdio>

#include "code128.h"

namespace kelvio {

namespace {

// The print figures, in millimetres: module width, bar height, quiet zone on either side.
constexpr double MODUULI_MM = 0.25;
constexpr double KORKEUS_MM = 13.0;
constexpr double VAPAA_MM = 6.4;

std::string luku(double x) {
  char puskuri[32];
  std::snprintf(puskuri, sizeof puskuri, "%.2f", x);
  return puskuri;
}

}  // namespace

std::string viivakoodiSvg(const std::string& numerot) {
  const std::vector<int> leveydet = code128C(numerot);
  int moduuleja = 0;
  for (const int l : leveydet) {
    moduuleja += l;
  }
  // The drawing is in modules; width and height in millimetres give its print size.
  const double vapaa = VAPAA_MM / MODUULI_MM;
  const double korkeus = KORKEUS_MM / MODUULI_MM;
  const double leveys = 2 * vapaa + moduuleja;
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  s += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + luku(leveys * MODUULI_MM) +
       "mm\" height=\"" + luku(KORKEUS_MM) + "mm\" viewBox=\"0 0 " + luku(leveys) + " " +
       luku(korkeus) + "\" shape-rendering=\"crispEdges\">\n";
  s += "<title>Pankkiviivakoodi " + numerot + "</title>\n";
  s += "<rect width=\"" + luku(leveys) + "\" height=\"" + luku(korkeus) + "\" fill=\"#fff\"/>\n";
  double x = vapaa;
  for (std::size_t i = 0; i < leveydet.size(); ++i) {
    if (i % 2 == 0) {  // bars at even places, spaces between
      s += "<rect x=\"" + luku(x) + "\" width=\"" + std::to_string(leveydet[i]) + "\" height=\"" +
           luku(korkeus) + "\"/>\n";
    }
    x += leveydet[i];
  }
  s += "</svg>\n";
  return s;
}

}  // namespace kelvio
