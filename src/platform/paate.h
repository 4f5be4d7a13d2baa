// Whether a stream is a terminal, where a person watches it (a progress
// count is for them, not for a file or a pipe).
#pragma once

#include <cstdio>

namespace kelvio {

bool onPaate(std::FILE* virta) noexcept;

}  // namespace kelvio
