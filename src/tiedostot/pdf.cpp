// PDF through poppler: each page's text layer and its rendered image. Pages
// are shared among threads by their number; each thread has a document of its
// own, so that no poppler object is used by two threads at once.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include "dekooderit.h"

namespace kelvio {

namespace {

constexpr double MM_PISTEINA = 72.0 / 25.4;

void vaiti(const std::string& /*viesti*/, void* /*sulkeuma*/) {}

std::unique_ptr<poppler::document> avaa(std::string_view tavut) {
  return std::unique_ptr<poppler::document>(
      poppler::document::load_from_raw_data(tavut.data(), static_cast<int>(tavut.size())));
}

std::string utf8(const poppler::ustring& u) {
  const poppler::byte_array b = u.to_utf8();
  return {b.begin(), b.end()};
}

// The words of the page's text layer with their boxes, in points.
std::vector<Sana> sanat(const poppler::page& sivu) {
  std::vector<Sana> tulos;
  for (const poppler::text_box& sana : sivu.text_list()) {
    const poppler::rectf r = sana.bbox();
    tulos.push_back({utf8(sana.text()), r.left(), r.top(), r.right(), r.bottom()});
  }
  return tulos;
}

std::string sivunVika(int sivu, const poppler::rectf& r, const Rajat& rajat) {
  const double pisin = std::max(r.width(), r.height()) / MM_PISTEINA;
  const double pikseleita = (r.width() / 72 * rajat.dpi) * (r.height() / 72 * rajat.dpi);
  if (!(pisin <= rajat.sivunSivuMm) || !(pikseleita <= static_cast<double>(rajat.pikseleita))) {
    return "sivu " + std::to_string(sivu + 1) + " on " +
           std::to_string(std::lround(r.width() / MM_PISTEINA)) + " × " +
           std::to_string(std::lround(r.height() / MM_PISTEINA)) + " mm, suurempi kuin sallitaan";
  }
  return {};
}

}  // namespace

Tiedostotulos luePdf(std::string_view tavut, const Rajat& rajat, const Sivuille& sivuille) {
  poppler::set_debug_error_function(vaiti, nullptr);
  Tiedostotulos t;
  t.sivuja = true;
  const std::unique_ptr<poppler::document> doc = avaa(tavut);
  if (!doc) {
    t.syy = "PDF-tiedosto on rikki tai katkennut";
    return t;
  }
  if (doc->is_locked()) {
    t.syy = "PDF-tiedosto on salattu";
    return t;
  }
  const int sivuja = doc->pages();
  if (t.syy =
          sivujaLiikaa("PDF-tiedostossa", static_cast<std::uint64_t>(std::max(0, sivuja)), rajat);
      !t.syy.empty()) {
    return t;
  }
  // Every page's size first: a file with one page too large is refused whole.
  double suurin = 0;  // the largest page's pixels as rendered
  for (int i = 0; i < sivuja; ++i) {
    const std::unique_ptr<poppler::page> sivu(doc->create_page(i));
    if (!sivu) {
      t.syy = "PDF-tiedoston sivu " + std::to_string(i + 1) + " on rikki";
      return t;
    }
    const poppler::rectf r = sivu->page_rect();
    if (std::string vika = sivunVika(i, r, rajat); !vika.empty()) {
      t.syy = std::move(vika);
      return t;
    }
    suurin = std::max(suurin, (r.width() / 72 * rajat.dpi) * (r.height() / 72 * rajat.dpi));
  }
  // A page that fails (out of memory in a decoder, a broken page) is named
  // in the file's reason; the other pages keep their codes.
  std::mutex lukko;
  std::vector<std::pair<int, std::string>> viat;
  const auto vika = [&](int i, std::string syy) {
    const std::lock_guard<std::mutex> l(lukko);
    viat.emplace_back(i, std::move(syy));
  };
  std::atomic<int> seuraava = 0;
  const auto tyo = [&](poppler::document& oma) {
    poppler::page_renderer piirtaja;
    piirtaja.set_image_format(poppler::image::format_gray8);
    for (int i = seuraava++; i < sivuja; i = seuraava++) {
      try {
        const std::unique_ptr<poppler::page> sivu(oma.create_page(i));
        if (!sivu) {
          vika(i, "sivu on rikki");
          continue;
        }
        const poppler::image kuva = piirtaja.render_page(sivu.get(), rajat.dpi, rajat.dpi);
        Sivu s;
        if (kuva.is_valid()) {
          s.pikselit = reinterpret_cast<const unsigned char*>(kuva.const_data());
          s.leveys = kuva.width();
          s.korkeus = kuva.height();
          s.rivinPituus = kuva.bytes_per_row();
        } else {
          vika(i, "sivua ei voi piirtää");
        }
        s.sanat = sanat(*sivu);
        s.sanojenKorkeus = sivu->page_rect().height();
        sivuille(static_cast<std::size_t>(i), s);
      } catch (const std::bad_alloc&) {
        vika(i, "muisti ei riitä");
      } catch (...) {
        vika(i, "purku epäonnistui");
      }
    }
  };
  const unsigned saikeita =
      piirtosaikeita(rajat, suurin, tavut.size(), static_cast<unsigned>(sivuja),
                     std::max(1U, std::thread::hardware_concurrency()));
  std::vector<std::thread> muut;
  std::vector<std::unique_ptr<poppler::document>> dokumentit;
  for (unsigned k = 1; k < saikeita; ++k) {
    try {
      dokumentit.push_back(avaa(tavut));
      if (dokumentit.back()) {
        muut.emplace_back(tyo, std::ref(*dokumentit.back()));
      }
    } catch (const std::exception&) {
      break;  // a thread that cannot start means fewer threads
    }
  }
  tyo(*doc);
  for (std::thread& s : muut) {
    s.join();
  }
  std::sort(viat.begin(), viat.end());
  for (const auto& [i, syy] : viat) {
    t.syy += (t.syy.empty() ? "" : "; ") + ("sivu " + std::to_string(i + 1) + ": ") + syy;
  }
  t.luettu = viat.empty();
  return t;
}

unsigned piirtosaikeita(const Rajat& rajat, double sivunPikseleita, std::size_t tiedostonKoko,
                        unsigned sivuja, unsigned ytimia) {
  unsigned saikeita = std::min(sivuja, rajat.saikeita != 0 ? rajat.saikeita : ytimia);
  if (rajat.muistia != 0) {
    // A thread holds its page's bitmap, what the symbol reader makes of it
    // and a document of its own; the libraries and the file itself come first.
    const double saikeelle =
        PIKSELIN_TAVUJA * sivunPikseleita + DOKUMENTIN_KERROIN * static_cast<double>(tiedostonKoko);
    const double vapaana = static_cast<double>(rajat.muistia) - static_cast<double>(PERUSMUISTI) -
                           2.0 * static_cast<double>(tiedostonKoko);
    const double mahtuu = saikeelle > 0 ? vapaana / saikeelle : saikeita;
    saikeita = std::min<unsigned>(
        saikeita, mahtuu < 1 ? 1U : static_cast<unsigned>(std::min(mahtuu, 4096.0)));
  }
  return std::max(1U, saikeita);
}

}  // namespace kelvio
