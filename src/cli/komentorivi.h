// The command line: kelvio [options] [barcode...], and kelvio make.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kelvio {

// Runs the command line; returns the exit status: 0 success; 1 an input got
// an explanation, a routine trapped an error, a check failed (with --check),
// a value broke a rule (make) or memory ran out; 2 a usage error; 3 reading
// the input or writing the output failed. Reads input from syote when no
// barcode is given, writes to tuloste and its own messages to virheet.
int komentorivi(const std::vector<std::u16string>& argumentit, std::FILE* syote, std::FILE* tuloste,
                std::FILE* virheet, const char* rivinvaihto);

}  // namespace kelvio
