// The help texts of the commands, in Finnish, and the version line.
#pragma once

#include <string>
#include <string_view>

namespace kelvio {

// The help texts: the synopses of kelvio read and the formats' lines come
// from the tables of formats, so that a new format is in every help text.
std::string kelvioOhje();  // kelvio --help
std::string lueOhje();     // kelvio read --help
std::string lueSynopsi();  // "kelvio read [--json | ...] ... TIEDOSTO|KANSIO..."
extern const std::string_view KELVIO_OHJE;
extern const std::string_view KELVIO_OHJE_LOPPU;
extern const std::string_view TEE_OHJE;         // kelvio make --help
extern const std::string_view DATAKANSIO_OHJE;  // kelvio data-folder --help
extern const std::string_view VERSIO;           // kelvio --version

}  // namespace kelvio
