#include "euro.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "merkit.h"
#include "virhe.h"

namespace kelvio {

namespace {

// The normalised text of the routine, read one character at a time.
class Normalisoija {
 public:
  explicit Normalisoija(std::u16string_view teksti) : teksti_(teksti) {
    for (const char16_t c : teksti) {
      if (c == u'.' || c == u',') {
        ++erottimia_;
      }
    }
    siirry();
  }
  [[nodiscard]] char16_t merkki() const { return merkki_; }  // 0 at the end
  void seuraava() {
    ++kohta_;
    siirry();
  }

 private:
  // Moves to the next character of the normalised text that the reading sees.
  void siirry() {
    for (; kohta_ < teksti_.size(); ++kohta_) {
      const char16_t c = teksti_[kohta_];
      if (c == u' ' || c == u'\t' || c == u'\n') {
        continue;
      }
      if (c == u'.' || c == u',') {
        if (--erottimia_ == 0) {
          merkki_ = u'.';
          return;
        }
        continue;
      }
      merkki_ = c == 0 ? u'\x01' : c;
      return;
    }
    merkki_ = 0;
  }

  std::u16string_view teksti_;
  std::size_t kohta_ = 0;
  std::size_t erottimia_ = 0;
  char16_t merkki_ = 0;
};

double lue(std::u16string_view teksti) {
  Normalisoija l(teksti);
  std::string luku;
  bool negatiivinen = false;
  if (l.merkki() == u'+' || l.merkki() == u'-') {
    negatiivinen = l.merkki() == u'-';
    l.seuraava();
  }
  std::int64_t kokonaisia = 0;  // significant integer digits, for the size estimate
  std::int64_t etunollia = 0;   // zeros right after the point before the first digit
  bool numeroita = false;
  while (onNumero(l.merkki())) {
    if (kokonaisia > 0 || l.merkki() != u'0') {
      ++kokonaisia;
    }
    luku.push_back(static_cast<char>(l.merkki()));
    numeroita = true;
    l.seuraava();
  }
  if (l.merkki() == u'.') {
    l.seuraava();
    luku.push_back('.');
    bool merkitseva = kokonaisia > 0;
    while (onNumero(l.merkki())) {
      if (!merkitseva && l.merkki() == u'0') {
        ++etunollia;
      } else {
        merkitseva = true;
      }
      luku.push_back(static_cast<char>(l.merkki()));
      numeroita = true;
      l.seuraava();
    }
  }
  if (!numeroita) {
    return 0.0;
  }
  std::int64_t eksponentti = 0;
  const char16_t e = l.merkki();
  if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
    l.seuraava();
    bool miinus = false;
    if (l.merkki() == u'+' || l.merkki() == u'-') {
      miinus = l.merkki() == u'-';
      l.seuraava();
    }
    while (onNumero(l.merkki())) {
      // Saturates: far beyond any double either way.
      if (eksponentti < 100000000) {
        eksponentti = eksponentti * 10 + (l.merkki() - u'0');
      }
      l.seuraava();
    }
    if (miinus) {
      eksponentti = -eksponentti;
    }
  }
  if (eksponentti != 0) {
    luku.push_back('e');
    luku += std::to_string(eksponentti);
  }
  double arvo = 0.0;
  const auto [loppu, tila] = std::from_chars(luku.data(), luku.data() + luku.size(), arvo);
  (void)loppu;
  if (tila == std::errc::result_out_of_range) {
    // Tiny numbers read as zero; only large ones overflow.
    const std::int64_t suuruus =
        kokonaisia > 0 ? kokonaisia + eksponentti : eksponentti - etunollia;
    if (suuruus > 0) {
      nosta(VIRHE_YLIVUOTO);
    }
    arvo = 0.0;
  } else if (tila != std::errc{}) {
    return 0.0;
  }
  return negatiivinen ? -arvo : arvo;
}

// A text of 1 to 15 digits and nothing else, as the barcode's fields are:
// normalising changes nothing, and the number is exact in a double. The
// general reading gives the same value, more slowly (bench/: BM_Yleisval).
bool lueNumerot(std::u16string_view teksti, double& arvo) {
  if (teksti.empty() || teksti.size() > 15) {
    return false;
  }
  std::int64_t luku = 0;
  for (const char16_t c : teksti) {
    if (!onNumero(c)) {
      return false;
    }
    luku = luku * 10 + (c - u'0');
  }
  arvo = static_cast<double>(luku);
  return true;
}

}  // namespace

double fe_yleisval(std::u16string_view teksti) noexcept {
  return ansa<double>(FE_YLEISVAL, [&] {
    // The character walk counts positions in 16 bits.
    if (teksti.size() >= 32767) {
      nosta(VIRHE_YLIVUOTO);
    }
    double arvo = 0;
    return lueNumerot(teksti, arvo) ? arvo : lue(teksti);
  });
}

}  // namespace kelvio
