// Checked writes of the command line's output. A failed read or write stops
// the run with exit status 3 and a Finnish message.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kelvio {

// Reading the input or writing the output failed: exit status 3.
struct Siirtovirhe {
  std::string viesti;
};

// The system's reason for the last failure (errno).
std::string jarjestelmanSyy();

// Writes all of ulos and empties it; throws Siirtovirhe when a byte is not written.
void kirjoita(std::FILE* f, std::string& ulos);

// Writes a whole file named on the command line; throws Siirtovirhe with its
// name. On POSIX a temporary file in the same folder is renamed over the
// target, so that a failure leaves the old file whole; a target that is a
// link, a FIFO or anything but a regular file is refused.
void kirjoitaTiedosto(const std::u16string& nimi, std::string_view sisalto);

// A command's help text on standard output; returns exit status 0.
int kirjoitaOhje(std::FILE* f, std::string_view ohje);

// A message on standard error; a failure to write it has nowhere to go.
void viesti(std::FILE* f, std::string_view teksti);

}  // namespace kelvio
