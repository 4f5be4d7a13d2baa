// A growable output buffer written through raw pointers: reserve, write, commit.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace kelvio {

class Puskuri {
 public:
  // At least n bytes of room after the end; the contents stay.
  char* varaa(std::size_t n) {
    if (koko_ + n > kapasiteetti_) {
      std::size_t uusi = kapasiteetti_ == 0 ? 1U << 16 : kapasiteetti_;
      while (uusi < koko_ + n) {
        uusi *= 2;
      }
      auto tila = std::make_unique<char[]>(uusi);
      if (koko_ > 0) {
        std::memcpy(tila.get(), tila_.get(), koko_);
      }
      tila_ = std::move(tila);
      kapasiteetti_ = uusi;
    }
    return tila_.get() + koko_;
  }
  void kaytetty(const char* loppu) { koko_ = static_cast<std::size_t>(loppu - tila_.get()); }
  void lisaa(std::string_view s) {
    char* p = varaa(s.size());
    std::memcpy(p, s.data(), s.size());
    kaytetty(p + s.size());
  }
  [[nodiscard]] std::string_view sisalto() const { return {tila_.get(), koko_}; }
  [[nodiscard]] std::size_t koko() const { return koko_; }
  void tyhjenna() { koko_ = 0; }

 private:
  std::unique_ptr<char[]> tila_;
  std::size_t koko_ = 0;
  std::size_t kapasiteetti_ = 0;
};

}  // namespace kelvio
