// The help texts of the commands, in Finnish, and the version line.
#pragma once

#include <string_view>

namespace kelvio {

// kelvio --help: the formats' lines stand between the two parts.
extern const std::string_view KELVIO_OHJE;
extern const std::string_view KELVIO_OHJE_LOPPU;
extern const std::string_view TEE_OHJE;         // kelvio make --help
extern const std::string_view LUE_OHJE;         // kelvio read --help
extern const std::string_view DATAKANSIO_OHJE;  // kelvio data-folder --help
extern const std::string_view VERSIO;           // kelvio --version

}  // namespace kelvio
