// A read or write repeated until all its bytes are done, a signal's
// interruption retried: the file of kelvio read in, the child's result out.
#pragma once

#include <cerrno>
#include <cstddef>

#include <unistd.h>

namespace kelvio {

// kutsu(done) moves bytes from offset done on, as read or write does. The
// result: 1 when all n are done, 0 when a call moved none (the end of a
// file), -1 on an error (errno tells).
template <class Kutsu>
ssize_t kokonaan(std::size_t n, Kutsu kutsu) {
  std::size_t tehty = 0;
  while (tehty < n) {
    const ssize_t r = kutsu(tehty);
    if (r < 0 && errno == EINTR) {
      continue;
    }
    if (r <= 0) {
      return r < 0 ? -1 : 0;
    }
    tehty += static_cast<std::size_t>(r);
  }
  return 1;
}

}  // namespace kelvio
