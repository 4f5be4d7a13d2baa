// The one option reader of every command (kelvio, kelvio make, kelvio read),
// so that usage errors, --help, -- and values read the same everywhere.
#pragma once

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvio {

// One option: its name ("--json"), whether it takes a value, and what it
// does with it; aseta returns a usage error in Finnish, or "".
struct Valitsin {
  std::u16string_view nimi;
  bool arvollinen;
  std::function<std::string(std::u16string_view arvo)> aseta;
};

struct Komento {
  bool ohje = false;                      // --help or -h
  std::vector<std::u16string_view> muut;  // the arguments that are no options, in order
};

// Reads the arguments by the table. An option with a value takes it as
// "--name value" or "--name=value"; one without a value refuses "=". An
// argument that begins with "-" is an option, up to "--", after which every
// argument is one of muut. Returns a usage error in Finnish, or "".
std::string lueValitsimet(std::span<const std::u16string> argumentit,
                          std::span<const Valitsin> taulu, Komento& komento);

// The options of the output formats (--json, --csv), one from each row of
// the table: each sets muoto, and a second format is a usage error.
struct Tulostusmuoto;
void lisaaMuotojenValitsimet(std::vector<Valitsin>& taulu, const Tulostusmuoto*& muoto);

// A usage error on standard error, with where to find help; returns exit status 2.
int kayttovirhe(std::FILE* virheet, std::string_view komento, std::string_view teksti);

}  // namespace kelvio
