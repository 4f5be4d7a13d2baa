#include "kansio.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kelvio {

namespace fs = std::filesystem;

namespace {

// A path from the program's bytes and back: Windows' own names are UTF-16,
// and a narrow std::string there would go through the ANSI code page.
fs::path poluksi(const std::string& tavut) {
#ifdef _WIN32
  return {std::u8string(tavut.begin(), tavut.end())};
#else
  return {tavut};
#endif
}

std::string tavuiksi(const fs::path& polku) {
#ifdef _WIN32
  const std::u8string u = polku.u8string();
  return {u.begin(), u.end()};
#else
  return polku.string();
#endif
}

}  // namespace

bool kansionTiedostot(const std::string& polku, std::vector<std::string>& tiedostot) {
  std::error_code virhe;
  const fs::path kansio = poluksi(polku);
  if (!fs::is_directory(fs::symlink_status(kansio, virhe))) {
    return false;
  }
  fs::directory_iterator i(kansio, virhe);
  if (virhe) {
    return false;
  }
  std::vector<std::string> loydetyt;
  for (; i != fs::directory_iterator(); i.increment(virhe)) {
    if (virhe) {
      break;
    }
    std::error_code tilavirhe;
    if (fs::is_regular_file(i->symlink_status(tilavirhe))) {
      loydetyt.push_back(tavuiksi(i->path()));
    }
  }
  std::sort(loydetyt.begin(), loydetyt.end());
  tiedostot = std::move(loydetyt);
  return true;
}

}  // namespace kelvio
