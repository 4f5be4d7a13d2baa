// The standard streams and output files of the command line, through the
// system: every write checked, a non-blocking output waited on, not failed.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace kelvio {

// All of tavut to the stream, after what it buffers; false with the
// system's reason when the output fails.
bool kirjoitaVirtaan(std::FILE* f, std::string_view tavut, std::string& syy);

// A whole file by its name, replacing it only once all is written (POSIX:
// a temporary beside it, renamed over it; a link or device is refused).
bool kirjoitaTiedostoksi(const std::u16string& nimi, std::string_view sisalto, std::string& syy);

// Whether a read of the stream would return at once; with odota, the input
// is waited for first (false: the wait failed). On Windows a read is always
// tried and never waited for.
bool syotettaOn(std::FILE* f, bool odota);

// One read of what the stream has, not a full block: the bytes read, 0 at
// the end, -1 with errno set.
long lueVirrasta(std::FILE* f, char* lohko, std::size_t koko);

}  // namespace kelvio
