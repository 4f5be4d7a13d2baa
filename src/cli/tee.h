// kelvio make: a bank barcode from the invoice's data, as digits and as a Code 128 symbol.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kelvio {

// The arguments after "make"; returns the exit status (0, 1 a value breaks a
// rule, 2 usage, 3 writing failed).
int teeKomento(const std::vector<std::u16string>& argumentit, std::FILE* tuloste,
               std::FILE* virheet);

// The symbol of the 54 digits as SVG, sized by the bank barcode guide.
std::string viivakoodiSvg(const std::string& numerot);

}  // namespace kelvio
