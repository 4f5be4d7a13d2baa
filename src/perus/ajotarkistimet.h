// KELVIO_ASAN is 1 where AddressSanitizer builds this file (GCC and Clang
// tell it differently): its shadow memory does not fit under an address-space
// limit.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define KELVIO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVIO_ASAN 1
#endif
#endif
