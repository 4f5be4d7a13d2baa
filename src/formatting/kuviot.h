// The number pattern of the sum and the text pattern of the reference.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// Appends the amount (sentit / 100) by the pattern "### ### ### ##0.00" with
// the given decimal separator: four groups of three right-aligned digit
// places, empty places write nothing, the three spaces always written.
// Beyond twelve integer digits the groups of three go on to the left; a
// negative amount gets "-" right before its first digit; an amount exactly
// halfway between two cents is rounded away from zero.
void lisaaSumma(std::u16string& kohde, double sentit, std::u16string_view erotin);

// The same amount for machines, as "-1234.50": no grouping, "." as separator.
std::string summaKoneelle(double sentit);

// Appends the text by the pattern "&&&&& &&&&& &&&&& &&&&&": right-aligned in
// four groups of five places, the three spaces always written; a longer text
// gets more groups on the left.
void lisaaViite(std::u16string& kohde, std::u16string_view viite);

}  // namespace kelvio
