// A platform for tests: real files in temporary folders, a recorded user
// interface, a fixed clock and a profile of the test's choosing.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "fe_apppath.h"
#include "jarjestelma.h"
#include "utf8.h"

namespace kelvio::testi {

struct Pulma {
  std::u16string teksti;
  std::u16string kysely;
};

class TestiAlusta : public JarjestelmaAlusta {
 public:
  TestiAlusta() : edellinen_(asetaAlusta(this)) { unohdaAppPath(); }
  ~TestiAlusta() override {
    asetaAlusta(edellinen_);
    unohdaAppPath();
  }
  TestiAlusta(const TestiAlusta&) = delete;
  TestiAlusta& operator=(const TestiAlusta&) = delete;

  // What the user saw, in order: "viesti:", "pulma:" or "hiiri".
  std::vector<std::u16string> tapahtumat;
  std::vector<Pulma> pulmat;
  bool pulmaNakyy = true;
  std::u16string kansio = u"/nonexistent";
  std::u16string profiili;

  void viesti(std::u16string_view teksti) override {
    tapahtumat.push_back(u"viesti:" + std::u16string(teksti));
  }
  void nollaaHiiri() override { tapahtumat.emplace_back(u"hiiri"); }
  bool naytaPulma(std::u16string_view teksti, std::u16string_view kysely) override {
    tapahtumat.push_back(u"pulma:" + std::u16string(teksti));
    pulmat.push_back({std::u16string(teksti), std::u16string(kysely)});
    return pulmaNakyy;
  }
  std::u16string ohjelmakansio() override { return kansio; }
  std::u16string ohjelmanNimi() override { return u"Kelviomaro"; }
  std::u16string ymparisto(std::u16string_view nimi) override {
    return nimi == u"USERPROFILE" ? profiili : std::u16string();
  }
  Hetki nyt() override { return {{2026, 12, 8}, {9, 5, 7}}; }

 private:
  Alusta* edellinen_;
};

// A fresh temporary folder, removed afterwards; the current directory is
// put back too, since the data folder may change it.
class TilapainenKansio {
 public:
  TilapainenKansio() : vanha_(std::filesystem::current_path()) {
    static int laskuri = 0;
    polku_ = std::filesystem::temp_directory_path() /
             ("kelvio-testi-" + std::to_string(std::random_device{}()) + "-" +
              std::to_string(++laskuri));
    std::filesystem::create_directories(polku_);
    polku_ = std::filesystem::canonical(polku_);
  }
  ~TilapainenKansio() {
    std::error_code ec;
    std::filesystem::current_path(vanha_, ec);
    std::filesystem::remove_all(polku_, ec);
  }
  TilapainenKansio(const TilapainenKansio&) = delete;
  TilapainenKansio& operator=(const TilapainenKansio&) = delete;
  [[nodiscard]] const std::filesystem::path& polku() const { return polku_; }
  [[nodiscard]] std::u16string u16() const { return utf16ksi(polku_.string()); }

 private:
  std::filesystem::path vanha_;
  std::filesystem::path polku_;
};

inline std::string u8(std::u16string_view t) {
  return utf8ksi(t);
}

inline std::string lue(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void kirjoita(const std::filesystem::path& p, const std::string& sisalto) {
  std::ofstream(p, std::ios::binary) << sisalto;
}

}  // namespace kelvio::testi
