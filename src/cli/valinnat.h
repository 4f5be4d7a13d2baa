// The options of the command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvio {

enum class Muoto { Raportti, Json, Csv };

struct Valinnat {
  Muoto muoto = Muoto::Raportti;
  bool tarkista = false;  // --check
  bool ohje = false;
  bool versio = false;
  std::optional<std::u16string> erotin;
  std::optional<std::u16string> paivaysKaava;
  std::vector<std::u16string_view> koodit;  // views into the arguments
};

// Reads the arguments into v; returns a usage error in Finnish, "" when none.
std::string lueValinnat(const std::vector<std::u16string>& argumentit, Valinnat& v);

}  // namespace kelvio
