// libFuzzer: the data folder and the error log. The input is the settings
// file "ainehake.oma"; a trapped error then finds the data folder and writes
// its entry. Everything stays inside a temporary folder: the platform here
// refuses paths outside it and only records the current directory.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "euro.h"
#include "fe_apppath.h"
#include "jarjestelma.h"
#include "utf8.h"

namespace {

namespace fs = std::filesystem;

class Hiekkalaatikko final : public kelvio::JarjestelmaAlusta {
 public:
  fs::path juuri;
  std::u16string nykyinen;

  bool naytaPulma(std::u16string_view /*teksti*/, std::u16string_view /*kysely*/) override {
    return true;
  }
  void viesti(std::u16string_view /*teksti*/) override {}
  std::u16string ohjelmakansio() override { return kelvio::utf16ksi((juuri / "ohjelma").string()); }
  std::u16string ymparisto(std::u16string_view /*nimi*/) override {
    return kelvio::utf16ksi((juuri / "profiili").string());
  }
  void asetaNykyhakemisto(std::u16string_view kansio) override {
    sisalla(kansio);
    nykyinen = kansio;
  }
  std::u16string nykyhakemisto() override { return nykyinen; }
  void liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) override {
    sisalla(polku);
    JarjestelmaAlusta::liitaTiedostoon(polku, teksti);
  }

 private:
  void sisalla(std::u16string_view polku) {
    const std::string p = kelvio::utf8ksi(polku);
    const std::string j = juuri.string();
    if (p.compare(0, j.size(), j) != 0 || p.find("..") != std::string::npos) {
      kelvio::nosta(kelvio::VIRHE_EI_POLKUA);
    }
  }
};

Hiekkalaatikko& alusta() {
  static Hiekkalaatikko* a = [] {
    auto* h = new Hiekkalaatikko;
    h->juuri = fs::temp_directory_path() / ("kelvio-kansio-fuzz-" + std::to_string(getpid()));
    for (const char* k : {"ohjelma", "profiili/Omat tiedostot", "profiili/loki", "muu"}) {
      fs::create_directories(h->juuri / k);
    }
    kelvio::asetaAlusta(h);
    return h;
  }();
  return *a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
  Hiekkalaatikko& a = alusta();
  std::ofstream(a.juuri / "ohjelma" / "ainehake.oma", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(koko));
  kelvio::unohdaAppPath();
  a.nykyinen.clear();
  (void)kelvio::fe_yleisval(u"9E999");  // a trapped overflow: se_Pulma logs it
  // The log never grows past one entry a run.
  std::error_code e;
  for (const auto& tiedosto : fs::recursive_directory_iterator(a.juuri, e)) {
    if (tiedosto.path().filename() == "virhelog.txt") {
      fs::remove(tiedosto.path(), e);
    }
  }
  return 0;
}
