// The kind of a file is decided by its content, never by its name.
#include <map>
#include <mutex>

#include "dekooderit.h"
#include "sivu.h"
#include "tiedosto.h"
#include "tiedostoluku.h"

namespace kelvio {

namespace {

Tiedostotulos lukukelvoton(std::string syy) {
  Tiedostotulos t;
  t.syy = std::move(syy);
  return t;
}

bool alkaa(std::string_view tavut, std::string_view alku) {
  return tavut.substr(0, alku.size()) == alku;
}

// XML, perhaps a Finvoice message: a byte order mark, or a "<" (in UTF-8 or
// an 8-bit set, or UTF-16 either way round) after white space.
bool xml(std::string_view tavut) {
  using std::string_view_literals::operator""sv;
  if (alkaa(tavut, "\xEF\xBB\xBF") || alkaa(tavut, "\xFF\xFE") || alkaa(tavut, "\xFE\xFF") ||
      alkaa(tavut, "<\0"sv) || alkaa(tavut, "\0<"sv)) {
    return true;
  }
  const std::size_t alku = tavut.find_first_not_of(" \t\r\n");
  return alku != std::string_view::npos && tavut[alku] == '<';
}

}  // namespace

std::string sivujaLiikaa(std::string_view tiedostossa, std::uint64_t sivuja, const Rajat& rajat) {
  if (sivuja > 0 && sivuja <= static_cast<std::uint64_t>(rajat.sivuja)) {
    return {};
  }
  return std::string(tiedostossa) + " on " + std::to_string(sivuja) + " sivua (enintään " +
         std::to_string(rajat.sivuja) + ")";
}

Tiedostotulos lueTiedosto(const std::string& polku, const Rajat& rajat) {
  std::vector<Sivutulos> sivut;
  Tiedostotulos t = lueTiedosto(polku, rajat, [&](std::size_t numero, Sivutulos&& sivu) {
    if (sivut.size() <= numero) {
      sivut.resize(numero + 1);
    }
    sivut[numero] = std::move(sivu);
  });
  t.sivut = std::move(sivut);
  return t;
}

Tiedostotulos lueTiedosto(const std::string& polku, const Rajat& rajat, const SivuValmis& valmis) {
  std::string tavut;
  std::string syy;
  if (!lueKokoTiedosto(polku, rajat.tavuja, tavut, syy)) {
    return lukukelvoton(syy);
  }
  // Each page handed on when done, one at a time; PDF pages come from
  // several threads. Only what the reason needs is kept of them.
  std::mutex lukko;
  std::size_t koodeja = 0;
  std::size_t yliTiedoston = 0;
  std::map<std::size_t, std::size_t> ohitetut;  // page: distinct codes over SIVUN_ENINTAAN
  const Sivuille sivuille = [&](std::size_t numero, const Sivu& sivu) {
    Sivutulos koodit = sivunKoodit(sivu);
    const std::lock_guard<std::mutex> lukittu(lukko);
    if (koodeja + koodit.koodit.size() > TIEDOSTON_ENINTAAN) {
      const std::size_t mahtuu = TIEDOSTON_ENINTAAN - koodeja;
      yliTiedoston += koodit.koodit.size() - mahtuu;
      koodit.koodit.resize(mahtuu);
    }
    koodeja += koodit.koodit.size();
    if (koodit.ohitettuja > 0) {
      ohitetut[numero] = koodit.ohitettuja;
    }
    valmis(numero, std::move(koodit));
  };
  // A page of more distinct codes than are kept is named in the reason.
  const auto sivuineen = [&](Tiedostotulos t) {
    for (const auto& [sivu, ohitettuja] : ohitetut) {
      t.syy += (t.syy.empty() ? "" : "; ") + ("sivulla " + std::to_string(sivu + 1)) + " on yli " +
               std::to_string(SIVUN_ENINTAAN) + " eri koodia, " + std::to_string(ohitettuja) +
               " jätettiin lukematta";
      t.luettu = false;
    }
    if (yliTiedoston > 0) {
      t.syy += (t.syy.empty() ? "" : "; ") +
               ("tiedostossa on yli " + std::to_string(TIEDOSTON_ENINTAAN)) + " koodia, " +
               std::to_string(yliTiedoston) + " jätettiin lukematta";
      t.luettu = false;
    }
    return t;
  };
  // A signature at byte 0 wins; PDF readers accept their header anywhere
  // in the first kilobyte, so that is looked for last.
  using std::string_view_literals::operator""sv;
  if (alkaa(tavut, "\x89PNG\r\n\x1a\n") || alkaa(tavut, "\xFF\xD8\xFF")) {
    return sivuineen(lueKuva(tavut, rajat, sivuille));
  }
  if (alkaa(tavut, "II*\0"sv) || alkaa(tavut, "MM\0*"sv) || alkaa(tavut, "II+\0"sv) ||
      alkaa(tavut, "MM\0+"sv)) {
    return sivuineen(lueTiff(tavut, rajat, sivuille));
  }
  if (tavut.substr(0, 1024).find("%PDF-") != std::string::npos) {
    return sivuineen(luePdf(tavut, rajat, sivuille));
  }
  if (xml(tavut)) {
    Tiedostotulos t = lueFinvoice(tavut);
    for (std::size_t i = 0; i < t.sivut.size(); ++i) {
      valmis(i, std::move(t.sivut[i]));
    }
    t.sivut.clear();
    return t;
  }
  return lukukelvoton(tavut.empty()
                          ? "tyhjä tiedosto"
                          : "ei PDF-, PNG-, JPEG- tai TIFF-tiedosto eikä Finvoice-sanoma");
}

}  // namespace kelvio
