// Generated barcodes of mixed versions for the benchmarks.
#pragma once

#include <cstdint>
#include <string>

namespace kelvio::bench {

inline std::string viivakoodi(std::uint64_t n) {
  std::uint64_t x = n * 6364136223846793005ULL + 1442695040888963407ULL;
  auto numero = [&x] {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 29;
    return static_cast<char>('0' + x % 10);
  };
  std::string s;
  const char versiot[] = {'2', '4', '5'};
  s.push_back(versiot[n % 3]);
  for (int i = 1; i < 54; ++i) {
    s.push_back(numero());
  }
  // Plausible dates: year 20-39, month 01-12, day 01-28.
  const std::size_t pvm = s[0] == '2' ? 43 : 48;
  s[pvm] = static_cast<char>('2' + n % 2);
  s[pvm + 2] = '0';
  s[pvm + 3] = static_cast<char>('1' + n % 9);
  s[pvm + 4] = static_cast<char>('0' + n % 3);
  s[pvm + 5] = static_cast<char>('1' + n % 8);
  return n % 2 == 0 ? s : "105" + s;
}

}  // namespace kelvio::bench
