// The commands of kelvio, one file each. Each takes the arguments after its
// name and returns the exit status: 0 success, 1 an input got an
// explanation or an error, 2 a usage error, 3 reading or writing failed
// (a Siirtovirhe that reaches komentorivi).
#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace kelvio {

// kelvio [options] [barcode...]: interprets barcodes.
int tulkitseKomento(std::span<const std::u16string> argumentit, std::FILE* syote,
                    std::FILE* tuloste, std::FILE* virheet, const char* rivinvaihto);

// kelvio make: a bank barcode from an invoice's data.
int teeKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet);

// kelvio read: the payments of invoice files (PDF, PNG, JPEG, TIFF, Finvoice);
// its own exit statuses 4 and 5 are in its help text (ohjeet.cpp).
int lueKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste, std::FILE* virheet,
               const char* rivinvaihto);

// kelvio data-folder FOLDER: the first line of ainehake.oma beside the program.
int datakansioKomento(std::span<const std::u16string> argumentit, std::FILE* tuloste,
                      std::FILE* virheet);

}  // namespace kelvio
