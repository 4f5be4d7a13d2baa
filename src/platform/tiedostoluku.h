// A whole file from a stranger, read through the system: refused before it is
// opened when it is a link, a folder, a device or a FIFO, refused when it is
// larger than the limit, never blocking, every read checked.
#pragma once

#include <cstdint>
#include <string>

namespace kelvio {

// The file's bytes, or false with the reason in Finnish. polku: the bytes of
// a POSIX path, UTF-8 on Windows.
bool lueKokoTiedosto(const std::string& polku, std::uint64_t enintaan, std::string& tavut,
                     std::string& syy);

}  // namespace kelvio
