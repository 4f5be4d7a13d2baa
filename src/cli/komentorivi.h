// The command line: kelvio [options] [barcode...]
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kelvio {

// Runs the command line; returns the exit status (0, 1 or 2). Reads input
// from syote when no barcode is given, writes reports to tuloste and its own
// messages to virheet.
int komentorivi(const std::vector<std::u16string>& argumentit, std::FILE* syote, std::FILE* tuloste,
                std::FILE* virheet, const char* rivinvaihto);

}  // namespace kelvio
