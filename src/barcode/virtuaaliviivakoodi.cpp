#include "virtuaaliviivakoodi.h"

#include <algorithm>
#include <cmath>

#include "asettelu.h"

namespace kelvio {

namespace {

struct Ryhma {
  std::string numerot;  // empty: the word is not digits alone
  double x0, x1, y0, korkeus;
  std::string_view teksti;
};

// The digits of a word that is digits alone, no-break spaces (U+00A0, U+202F)
// parting its groups; "" for any other word.
std::string numerot(std::string_view sana) {
  std::string n;
  for (std::size_t i = 0; i < sana.size();) {
    if (sana[i] >= '0' && sana[i] <= '9') {
      n += sana[i++];
    } else if (sana.substr(i, 2) == "\xC2\xA0") {
      i += 2;
    } else if (sana.substr(i, 3) == "\xE2\x80\xAF") {
      i += 3;
    } else {
      return {};
    }
  }
  return n;
}

using Rivi = std::vector<Ryhma>;

// The words in lines top to bottom, each line left to right: a word joins a
// line when its middle is within half a height of the line's first word's.
std::vector<Rivi> riveiksi(const std::vector<Sana>& sanat) {
  std::vector<Ryhma> ryhmat;
  for (const Sana& s : sanat) {
    const double korkeus = s.y1 - s.y0;
    if (!s.teksti.empty() && korkeus > 0 && std::isfinite(korkeus) && std::isfinite(s.x0) &&
        std::isfinite(s.x1)) {
      ryhmat.push_back({numerot(s.teksti), s.x0, s.x1, s.y0, korkeus, s.teksti});
    }
  }
  const auto keski = [](const Ryhma& r) { return r.y0 + r.korkeus / 2; };
  std::stable_sort(ryhmat.begin(), ryhmat.end(),
                   [&](const Ryhma& a, const Ryhma& b) { return keski(a) < keski(b); });
  std::vector<Rivi> rivit;
  for (Ryhma& r : ryhmat) {
    if (rivit.empty() || std::abs(keski(r) - keski(rivit.back()[0])) >
                             std::min(r.korkeus, rivit.back()[0].korkeus) / 2) {
      rivit.emplace_back();
    }
    rivit.back().push_back(std::move(r));
  }
  for (Rivi& rivi : rivit) {
    std::stable_sort(rivi.begin(), rivi.end(),
                     [](const Ryhma& a, const Ryhma& b) { return a.x0 < b.x0; });
  }
  return rivit;
}

// The next line of a block is this far below, top to top, at the most: line
// spacing is about 1.2 heights, an empty line between makes it 2.4.
constexpr double RIVIVALI_KORKEUKSINA = 1.6;

bool sanavali(const Ryhma& a, const Ryhma& b) {
  return b.x0 - a.x1 <= SANAVALI_KORKEUKSINA * std::max(a.korkeus, b.korkeus);
}

// From word i of the line, the digit groups that follow each other by word
// gaps; returns the index after the last, with the digits added to koodi.
std::size_t kulje(const Rivi& rivi, std::size_t i, std::string& koodi) {
  koodi += rivi[i].numerot;
  while (i + 1 < rivi.size() && !rivi[i + 1].numerot.empty() && sanavali(rivi[i], rivi[i + 1]) &&
         koodi.size() <= VIIVAKOODIN_PITUUS) {
    koodi += rivi[++i].numerot;
  }
  return i + 1;
}

// Where a run that ended line r short of the length goes on: the first word
// of the next line's part of the block, when it is digits and begins no
// later than the run began.
std::size_t jatko(const std::vector<Rivi>& rivit, std::size_t r, double lauseenAlku,
                  const Ryhma& alku) {
  if (r + 1 >= rivit.size()) {
    return std::string::npos;
  }
  const Rivi& seuraava = rivit[r + 1];
  if (seuraava[0].y0 - rivit[r][0].y0 > RIVIVALI_KORKEUKSINA * alku.korkeus) {
    return std::string::npos;
  }
  for (std::size_t i = 0; i < seuraava.size(); ++i) {
    if (seuraava[i].x1 <= lauseenAlku - alku.korkeus) {
      continue;
    }
    const bool lauseenAlussa = i == 0 || !sanavali(seuraava[i - 1], seuraava[i]);
    if (seuraava[i].numerot.empty() || !lauseenAlussa || seuraava[i].x0 > alku.x0 + alku.korkeus) {
      return std::string::npos;
    }
    return i;
  }
  return std::string::npos;
}

}  // namespace

std::vector<Virtuaalikoodi> etsiVirtuaaliviivakoodit(const std::vector<Sana>& sanat) {
  const std::vector<Rivi> rivit = riveiksi(sanat);
  std::vector<Virtuaalikoodi> loydot;
  std::vector<std::vector<bool>> kaytetty(rivit.size());
  for (std::size_t r = 0; r < rivit.size(); ++r) {
    kaytetty[r].resize(rivit[r].size());
  }
  for (std::size_t r = 0; r < rivit.size(); ++r) {
    const Rivi& rivi = rivit[r];
    double lauseenAlku = rivi.empty() ? 0 : rivi[0].x0;
    for (std::size_t i = 0; i < rivi.size();) {
      if (i > 0 && !sanavali(rivi[i - 1], rivi[i])) {
        lauseenAlku = rivi[i].x0;
      }
      // A run begins at a digit group that no digit group leans on.
      if (rivi[i].numerot.empty() || kaytetty[r][i] ||
          (i > 0 && !rivi[i - 1].numerot.empty() && sanavali(rivi[i - 1], rivi[i]))) {
        ++i;
        continue;
      }
      std::string koodi;
      std::size_t loppu = kulje(rivi, i, koodi);
      struct Jatko {
        std::size_t rivi, alku, loppu;
      };
      std::vector<Jatko> jatkot;
      std::size_t jr = r;
      std::size_t jLoppu = loppu;
      while (koodi.size() < VIIVAKOODIN_PITUUS &&
             (jLoppu == rivit[jr].size() || !sanavali(rivit[jr][jLoppu - 1], rivit[jr][jLoppu]))) {
        const std::size_t j = jatko(rivit, jr, jr == r ? lauseenAlku : rivit[jr][0].x0, rivi[i]);
        if (j == std::string::npos) {
          break;
        }
        ++jr;
        jLoppu = kulje(rivit[jr], j, koodi);
        jatkot.push_back({jr, j, jLoppu});
      }
      if (pankkiviivakoodi(koodi)) {
        loydot.push_back({koodi, rivi[i].y0});
        for (const Jatko& j : jatkot) {
          std::fill(kaytetty[j.rivi].begin() + static_cast<std::ptrdiff_t>(j.alku),
                    kaytetty[j.rivi].begin() + static_cast<std::ptrdiff_t>(j.loppu), true);
        }
      }
      i = loppu;
    }
  }
  std::stable_sort(loydot.begin(), loydot.end(),
                   [](const Virtuaalikoodi& a, const Virtuaalikoodi& b) { return a.y < b.y; });
  return loydot;
}

std::vector<std::string> rivit(const std::vector<Sana>& sanat) {
  std::vector<std::string> tulos;
  for (const Rivi& rivi : riveiksi(sanat)) {
    std::string t;
    for (const Ryhma& r : rivi) {
      t += t.empty() ? "" : " ";
      t += r.teksti;
    }
    tulos.push_back(std::move(t));
  }
  return tulos;
}

std::vector<Sana> sanatTekstista(std::string_view teksti) {
  constexpr double MERKKI = 0.5;
  std::vector<Sana> sanat;
  double y = 0;
  for (;;) {
    const std::size_t loppu = teksti.find('\n');
    const std::string_view rivi = teksti.substr(0, loppu);
    for (std::size_t i = 0; i < rivi.size();) {
      if (rivi[i] == ' ') {
        ++i;
        continue;
      }
      const std::size_t alku = i;
      i = std::min(rivi.find(' ', i), rivi.size());
      sanat.push_back({std::string(rivi.substr(alku, i - alku)), static_cast<double>(alku) * MERKKI,
                       y, static_cast<double>(i) * MERKKI, y + 1});
    }
    if (loppu == std::string_view::npos) {
      return sanat;
    }
    teksti.remove_prefix(loppu + 1);
    y += 1;
  }
}

}  // namespace kelvio
