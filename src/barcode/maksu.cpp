#include "maksu.h"

#include "asettelu.h"
#include "tarkisteet.h"
#include "utf8.h"

namespace kelvio {

namespace {

std::string_view kentta(std::string_view koodi, Kentta k) {
  return koodi.substr(k.alku - 1, k.pituus);
}

std::string ilmanNollia(std::string_view t) {
  const std::size_t alku = t.find_first_not_of('0');
  return std::string(alku == std::string_view::npos ? std::string_view{} : t.substr(alku));
}

std::int64_t luku(std::string_view numerot) {
  std::int64_t n = 0;
  for (const char c : numerot) {
    n = n * 10 + (c - '0');
  }
  return n;
}

// A domestic account's machine form as the IBAN it is: FI, the check digits
// that make ISO 13616's remainder 1, the 14 digits.
std::string ibanKotimaisesta(std::string_view konemuoto) {
  for (int tarkiste = 0; tarkiste < 100; ++tarkiste) {
    std::string iban = "FI";
    iban += static_cast<char>('0' + tarkiste / 10);
    iban += static_cast<char>('0' + tarkiste % 10);
    iban += konemuoto;
    if (ibanKelpaa(utf16ksi(iban))) {
      return iban;
    }
  }
  return {};
}

}  // namespace

std::string viiteKoneelle(std::string_view viite) {
  std::string t;
  for (const char c : viite) {
    if (c != ' ') {
      t += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
  }
  if (t.starts_with("RF") && t.size() >= 4) {
    return t.substr(0, 4) + ilmanNollia(std::string_view(t).substr(4));
  }
  return ilmanNollia(t);
}

std::optional<Maksu> viivakoodinMaksu(std::string_view koodi) {
  if (!pankkiviivakoodi(koodi)) {
    return std::nullopt;
  }
  const Asettelu& a = *asettelu(static_cast<char16_t>(koodi[0]));
  Maksu m;
  m.tili = a.versio == u'2' ? ibanKotimaisesta(kentta(koodi, a.tili))
                            : "FI" + std::string(kentta(koodi, a.tili));
  m.viite = a.versio == u'5' ? viiteKoneelle("RF" + std::string(kentta(koodi, a.viite)) +
                                             std::string(kentta(koodi, a.rfRunko)))
                             : viiteKoneelle(kentta(koodi, a.viite));
  if (const std::int64_t sentit = luku(kentta(koodi, a.summa)); sentit != 0) {
    m.sentit = sentit;
  }
  const std::string_view p = kentta(koodi, a.eraPaiva);
  if (p != "000000") {
    m.eraPaiva = Paivays{static_cast<std::int32_t>(2000 + luku(p.substr(0, 2))),
                         static_cast<std::int32_t>(luku(p.substr(2, 2))),
                         static_cast<std::int32_t>(luku(p.substr(4, 2)))};
  }
  return m;
}

Maksu epcMaksu(const EpcMaksu& epc) {
  Maksu m;
  m.tili = utf8ksi(epc.iban);
  m.viite = viiteKoneelle(utf8ksi(epc.viite));
  m.sentit = epc.sentit;
  m.eraPaiva = epc.eraPaiva;
  return m;
}

std::string kentanArvo(const Maksu& m, Maksukentta k) {
  switch (k) {
    case Maksukentta::Tili: return m.tili;
    case Maksukentta::Viite: return m.viite;
    case Maksukentta::Summa: {
      if (!m.sentit) {
        return {};
      }
      const std::string sentit = std::to_string(100 + *m.sentit % 100).substr(1);
      return std::to_string(*m.sentit / 100) + "." + sentit;
    }
    case Maksukentta::Erapaiva: {
      if (!m.eraPaiva) {
        return {};
      }
      const auto kaksi = [](int n) { return std::to_string(100 + n).substr(1); };
      return std::to_string(m.eraPaiva->vuosi) + "-" + kaksi(m.eraPaiva->kuukausi) + "-" +
             kaksi(m.eraPaiva->paiva);
    }
  }
  return {};
}

std::vector<Maksukentta> eroavatKentat(const Maksu& a, const Maksu& b) {
  std::vector<Maksukentta> kentat;
  for (const Maksukentta k :
       {Maksukentta::Tili, Maksukentta::Viite, Maksukentta::Summa, Maksukentta::Erapaiva}) {
    const std::string x = kentanArvo(a, k);
    const std::string y = kentanArvo(b, k);
    if (!x.empty() && !y.empty() && x != y) {
      kentat.push_back(k);
    }
  }
  return kentat;
}

}  // namespace kelvio
