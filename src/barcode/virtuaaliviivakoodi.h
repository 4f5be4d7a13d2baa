// Printed virtual barcodes: the 54 digits that a payer may type, found in a
// page's words by where they stand, not only by what they say.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvio {

// A word of a page's text layer: its UTF-8 text and its box, y downwards.
struct Sana {
  std::string teksti;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Virtuaalikoodi {
  std::string numerot;  // the 54 digits
  double y = 0;         // the top of its first word
};

// The gap between two words of one line, in heights of the line, up to which
// they belong to one phrase; a wider gap parts columns or table cells.
inline constexpr double SANAVALI_KORKEUKSINA = 1.0;

// Every virtual barcode among the words, top to bottom. A virtual barcode is
// a run of digit groups on a line, each group a word of digits alone (no-break
// spaces inside a word part groups too), the gaps between them word gaps,
// whose digits together are exactly 54 and begin with a known version. The
// run is maximal: a word of digits glued to a letter or sign ends it, so does
// a column gap or the line's end, and a run of more than 54 digits is no
// code. A run that ends its line short of 54 digits goes on at the start of
// the next line of the same block (the line right below, beginning no later
// than the run did), as a wrapped paragraph does.
std::vector<Virtuaalikoodi> etsiVirtuaaliviivakoodit(const std::vector<Sana>& sanat);

// The page's lines, top to bottom, each its words left to right with one
// space between.
std::vector<std::string> rivit(const std::vector<Sana>& sanat);

// Words laid out as monospaced text: a character half a line high wide,
// each line one high, words parted by spaces. For the tests and the fuzzers,
// where "500   4 21123" is two table cells and "4 21123" one phrase.
std::vector<Sana> sanatTekstista(std::string_view teksti);

}  // namespace kelvio
