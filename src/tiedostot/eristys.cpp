// The decoding of one file in a child process (platform's lapsiprosessi):
// the file's name and limits go to it as bytes, its pages come back as bytes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <thread>

#include "ajotarkistimet.h"
#include "lapsiprosessi.h"
#include "tiedosto.h"

namespace kelvio {

namespace {

void lisaaTeksti(std::string& ulos, std::string_view s) {
  ulos += std::to_string(s.size());
  ulos += ':';
  ulos += s;
}

// The child's stream: each page as it is done, "P", its number and its
// codes; then "E" and the file's own result, last.
std::string sivuna(std::size_t numero, const Sivutulos& sivu) {
  std::string ulos = "P";
  lisaaTeksti(ulos, std::to_string(numero));
  ulos += sivu.tekstikerros ? '1' : '0';
  for (const std::string* s :
       {&sivu.lasku.numero, &sivu.lasku.myyja, &sivu.lasku.myyjanTunnus, &sivu.lasku.yhteensa}) {
    lisaaTeksti(ulos, *s);
  }
  lisaaTeksti(ulos, std::to_string(sivu.tilit.size()));
  for (const std::string& tili : sivu.tilit) {
    lisaaTeksti(ulos, tili);
  }
  lisaaTeksti(ulos, std::to_string(sivu.summat.size()));
  for (const std::int64_t summa : sivu.summat) {
    lisaaTeksti(ulos, std::to_string(summa));
  }
  lisaaTeksti(ulos, std::to_string(sivu.koodit.size()));
  for (const Loyto& l : sivu.koodit) {
    ulos += static_cast<char>('0' + static_cast<int>(l.lahde));
    lisaaTeksti(ulos, std::to_string(l.y));
    lisaaTeksti(ulos, l.teksti);
  }
  return ulos;
}

std::string lopuksi(const Tiedostotulos& t) {
  std::string ulos = "E";
  ulos += t.luettu ? '1' : '0';
  ulos += t.sivuja ? '1' : '0';
  lisaaTeksti(ulos, t.syy);
  return ulos;
}

// Reads what sarjoita wrote; false when it is cut or malformed.
class Purku {
 public:
  explicit Purku(std::string_view s) : s_(s) {}
  bool merkki(char& c) {
    if (s_.empty()) {
      return false;
    }
    c = s_[0];
    s_.remove_prefix(1);
    return true;
  }
  bool teksti(std::string& t) {
    const std::size_t kaksoispiste = s_.find(':');
    if (kaksoispiste == std::string_view::npos || kaksoispiste == 0 || kaksoispiste > 12) {
      return false;
    }
    const std::size_t n = std::stoull(std::string(s_.substr(0, kaksoispiste)));
    if (s_.size() - kaksoispiste - 1 < n) {
      return false;
    }
    t.assign(s_.substr(kaksoispiste + 1, n));
    s_.remove_prefix(kaksoispiste + 1 + n);
    return true;
  }
  bool loppu() const { return s_.empty(); }
  bool luku(std::size_t& n) {
    std::string t;
    if (!teksti(t) || t.empty() || t.find_first_not_of("0123456789") != std::string::npos) {
      return false;
    }
    n = std::stoull(t);
    return true;
  }

 private:
  std::string_view s_;
};

bool puraSivu(Purku& p, Sivutulos& sivu) {
  char tekstikerros = 0;
  std::size_t n = 0;
  if (!p.merkki(tekstikerros) || !p.teksti(sivu.lasku.numero) || !p.teksti(sivu.lasku.myyja) ||
      !p.teksti(sivu.lasku.myyjanTunnus) || !p.teksti(sivu.lasku.yhteensa) || !p.luku(n)) {
    return false;
  }
  sivu.tekstikerros = tekstikerros == '1';
  for (std::size_t k = 0; k < n; ++k) {
    std::string tili;
    if (!p.teksti(tili)) {
      return false;
    }
    sivu.tilit.push_back(std::move(tili));
  }
  if (!p.luku(n)) {
    return false;
  }
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t summa = 0;
    if (!p.luku(summa)) {
      return false;
    }
    sivu.summat.push_back(static_cast<std::int64_t>(summa));
  }
  if (!p.luku(n)) {
    return false;
  }
  for (std::size_t k = 0; k < n; ++k) {
    char lahde = 0;
    std::string y;
    Loyto l{};
    if (!p.merkki(lahde) || lahde < '0' || lahde >= static_cast<char>('0' + LAHTEITA) ||
        !p.teksti(y) || !p.teksti(l.teksti)) {
      return false;
    }
    l.lahde = static_cast<Lahde>(lahde - '0');
    l.y = std::strtod(y.c_str(), nullptr);
    sivu.koodit.push_back(std::move(l));
  }
  return true;
}

// The pages in their places, then the end, which must come last and once.
bool pura(std::string_view s, Tiedostotulos& t) {
  Purku p(s);
  for (;;) {
    char laji = 0;
    if (!p.merkki(laji)) {
      return false;  // cut before its end
    }
    if (laji == 'E') {
      char a = 0;
      char b = 0;
      if (!p.merkki(a) || !p.merkki(b) || !p.teksti(t.syy) || !p.loppu()) {
        return false;
      }
      t.luettu = a == '1';
      t.sivuja = b == '1';
      return true;
    }
    std::size_t numero = 0;
    // Each page takes more than a byte: no honest stream names one beyond
    // its length.
    if (laji != 'P' || !p.luku(numero) || numero >= s.size()) {
      return false;
    }
    if (t.sivut.size() <= numero) {
      t.sivut.resize(numero + 1);
    }
    if (!puraSivu(p, t.sivut[numero])) {
      return false;
    }
  }
}

// The argument of the child: the file's name and the limits.
std::string tehtavaksi(const std::string& polku, const Rajat& r) {
  std::string ulos;
  lisaaTeksti(ulos, polku);
  for (const std::uint64_t luku :
       {r.tavuja, r.pikseleita, static_cast<std::uint64_t>(r.sivuja),
        static_cast<std::uint64_t>(std::llround(r.sivunSivuMm * 1000)), r.muistia,
        static_cast<std::uint64_t>(r.sekunteja), static_cast<std::uint64_t>(r.dpi),
        static_cast<std::uint64_t>(r.saikeita)}) {
    lisaaTeksti(ulos, std::to_string(luku));
  }
  return ulos;
}

bool tehtavasta(std::string_view s, std::string& polku, Rajat& r) {
  Purku p(s);
  std::size_t luvut[8];
  if (!p.teksti(polku)) {
    return false;
  }
  for (std::size_t& luku : luvut) {
    if (!p.luku(luku)) {
      return false;
    }
  }
  r.tavuja = luvut[0];
  r.pikseleita = luvut[1];
  r.sivuja = static_cast<int>(luvut[2]);
  r.sivunSivuMm = static_cast<double>(luvut[3]) / 1000;
  r.muistia = luvut[4];
  r.sekunteja = static_cast<int>(luvut[5]);
  r.dpi = static_cast<int>(luvut[6]);
  r.saikeita = static_cast<unsigned>(luvut[7]);
  return true;
}

}  // namespace

bool lueLapsena(std::string_view tehtava, std::uint64_t muistia,
                const std::function<bool(std::string_view)>& kirjoita) {
  std::string polku;
  Rajat rajat;
  Tiedostotulos t;
  if (!tehtavasta(tehtava, polku, rajat)) {
    t.syy = "tiedoston purku epäonnistui";
    return kirjoita(lopuksi(t));
  }
  // The limit as the system set it, the caller's own where lower: the
  // decoder sizes its threads within it (0: none to size by).
  rajat.muistia = muistia;
  pidaPuskuritKeossa();
  esivaraaSuuretSivut();
  // Each page goes to the parent when it is done; lueTiedosto hands them
  // on one at a time.
  bool kirjoitettu = true;
  try {
    t = lueTiedosto(polku, rajat, [&](std::size_t numero, Sivutulos&& sivu) {
      kirjoitettu = kirjoita(sivuna(numero, sivu)) && kirjoitettu;
    });
  } catch (const std::bad_alloc&) {
    t = {};
    t.syy = "tiedoston purkuun ei riitä muisti (raja " + std::to_string(muistia >> 20) + " MiB)";
  } catch (...) {
    t = {};
    t.syy = "tiedoston purku epäonnistui";
  }
  return kirjoita(lopuksi(t)) && kirjoitettu;
}

Tiedostotulos lueEristettyna(const std::string& polku, const Rajat& rajat) {
  Lapsiraja raja;
#ifndef KELVIO_ASAN
  // AddressSanitizer maps terabytes of shadow memory, so its test builds run
  // the child without this limit.
  raja.muistia = rajat.muistia;
#endif
  raja.sekunteja = rajat.sekunteja;
  raja.ytimia = std::max(1U, std::thread::hardware_concurrency());
  const Lapsentulos lapsi = ajaLapsessa(lueLapsena, tehtavaksi(polku, rajat), raja);
  Tiedostotulos t;
  switch (lapsi.loppu) {
    case Lapsenloppu::Valmis:
      if (!pura(lapsi.tavut, t)) {
        t = {};
        t.syy = "tiedoston purku epäonnistui";
      }
      break;
    case Lapsenloppu::AikaLoppui:
      t.syy = "tiedoston purku kesti yli " + std::to_string(rajat.sekunteja) + " s";
      break;
    case Lapsenloppu::Kaatui:
      t.syy = lapsi.kuvaus.empty() ? "tiedoston purku epäonnistui"
                                   : "tiedoston purku keskeytyi (" + lapsi.kuvaus +
                                         "): tiedosto on rikki tai liian raskas";
      break;
    case Lapsenloppu::EiAlkanut: t.syy = lapsi.kuvaus; break;
  }
  return t;
}

}  // namespace kelvio
