#include "tulosteet.h"

namespace kelvio {

namespace {

bool numero(char c) {
  return c >= '0' && c <= '9';
}

bool kirjainTaiNumero(char c) {
  return numero(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The length of a group separator ending just before kohta: a space, a
// no-break space (U+00A0, U+202F) or "."; 0 for none.
std::size_t erotinEnnen(std::string_view t, std::size_t kohta) {
  if (kohta >= 1 && (t[kohta - 1] == ' ' || t[kohta - 1] == '.')) {
    return 1;
  }
  if (kohta >= 2 && t.substr(kohta - 2, 2) == "\xC2\xA0") {
    return 2;
  }
  if (kohta >= 3 && t.substr(kohta - 3, 3) == "\xE2\x80\xAF") {
    return 3;
  }
  return 0;
}

// The digits that end just before loppu, as a number, and where they begin.
std::size_t numerotEnnen(std::string_view t, std::size_t loppu, std::int64_t& arvo,
                         std::int64_t& kerroin) {
  std::size_t alku = loppu;
  while (alku > 0 && numero(t[alku - 1]) && loppu - alku < 15) {
    --alku;
  }
  arvo = 0;
  kerroin = 1;
  for (std::size_t i = alku; i < loppu; ++i) {
    arvo = arvo * 10 + (t[i] - '0');
    kerroin *= 10;
  }
  return alku;
}

// Every reading of the whole euros ending just before loppu: the group there
// alone, then with each group of three before it that a separator ties on.
void eurotEnnen(std::string_view t, std::size_t loppu, std::int64_t sentit,
                std::vector<std::int64_t>& summat) {
  std::int64_t arvo = 0;
  std::int64_t kerroin = 0;
  std::size_t alku = numerotEnnen(t, loppu, arvo, kerroin);
  if (alku == loppu || (alku > 0 && numero(t[alku - 1]))) {
    return;
  }
  std::int64_t eurot = arvo;
  std::int64_t paikka = kerroin;
  summat.push_back(eurot * 100 + sentit);
  while (loppu - alku == 3 && summat.size() < 256) {
    const std::size_t erotin = erotinEnnen(t, alku);
    if (erotin == 0) {
      return;
    }
    const std::size_t ryhmanLoppu = alku - erotin;
    alku = numerotEnnen(t, ryhmanLoppu, arvo, kerroin);
    if (alku == ryhmanLoppu || ryhmanLoppu - alku > 3) {
      return;
    }
    eurot += arvo * paikka;
    paikka *= kerroin;
    summat.push_back(eurot * 100 + sentit);
    loppu = ryhmanLoppu;
  }
}

}  // namespace

std::vector<std::string> tulostetutTilit(std::string_view rivi) {
  std::vector<std::string> tilit;
  for (std::size_t i = rivi.find("FI"); i != std::string_view::npos; i = rivi.find("FI", i + 1)) {
    if (i > 0 && kirjainTaiNumero(rivi[i - 1])) {
      continue;
    }
    std::string iban = "FI";
    std::size_t j = i + 2;
    while (j < rivi.size() && iban.size() < 18) {
      if (numero(rivi[j])) {
        iban += rivi[j++];
      } else if (rivi[j] == ' ' && iban.size() > 2 && j + 1 < rivi.size() && numero(rivi[j + 1])) {
        ++j;
      } else {
        break;
      }
    }
    if (iban.size() == 18 && (j == rivi.size() || !kirjainTaiNumero(rivi[j]))) {
      tilit.push_back(std::move(iban));
    }
  }
  return tilit;
}

std::vector<std::int64_t> tulostetutSummat(std::string_view rivi) {
  std::vector<std::int64_t> summat;
  for (std::size_t p = 1; p + 2 < rivi.size() + 0 && summat.size() < 256; ++p) {
    const char c = rivi[p];
    if ((c != ',' && c != '.') || !numero(rivi[p - 1]) || !numero(rivi[p + 1]) ||
        !numero(rivi[p + 2])) {
      continue;
    }
    // Two decimals and no more: not "1.5000", nor a date's "31.12.2025".
    const std::size_t jalkeen = p + 3;
    if (jalkeen < rivi.size() &&
        (numero(rivi[jalkeen]) || ((rivi[jalkeen] == '.' || rivi[jalkeen] == ',') &&
                                   jalkeen + 1 < rivi.size() && numero(rivi[jalkeen + 1])))) {
      continue;
    }
    eurotEnnen(rivi, p, (rivi[p + 1] - '0') * 10 + (rivi[p + 2] - '0'), summat);
  }
  // Whole euros beside the currency: "1 500 €", "1 500 EUR".
  for (const std::string_view valuutta :
       {std::string_view("\xE2\x82\xAC"), std::string_view("EUR")}) {
    for (std::size_t i = rivi.find(valuutta); i != std::string_view::npos && summat.size() < 256;
         i = rivi.find(valuutta, i + 1)) {
      std::size_t loppu = i;
      if (loppu > 0 && rivi[loppu - 1] == ' ') {
        --loppu;
      }
      eurotEnnen(rivi, loppu, 0, summat);
    }
  }
  return summat;
}

}  // namespace kelvio
