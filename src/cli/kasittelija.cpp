#include "kasittelija.h"

#include <optional>
#include <utility>

#include "utf8.h"
#include "virhe.h"

namespace kelvio {

namespace {

// The input being handled on this thread, while it is: a view, since a
// thread_local object with a destructor is not safe at a worker's end on
// MinGW (see SaikeenVirheet).
thread_local std::string_view kohta_;

// The command line's own trap around one input (the window's is cmdTulkitse_Click's).
constexpr Kutsupaikka KASITTELE{1139, u"kelvio", u"kasittele"};

}  // namespace

std::string_view kasiteltava() noexcept {
  return kohta_;
}

Kasittelija::Kasittelija(const Tulostusmuoto& muoto, const Tulostusasetukset& tulostus,
                         const Aluesetukset& asetukset)
    : tulostin_(muoto.luo(tulostus)),
      tarkisteet_(tulostus.tarkista || muoto.tarvitseeTarkisteet),
      tarkista_(tulostus.tarkista),
      asetukset_(asetukset) {}

void Kasittelija::kasittele(std::u16string_view syote, std::string_view kohta, bool ensimmainen,
                            const Sijainti* sijainti) {
  kohta_ = kohta;
  struct Pois {
    ~Pois() { kohta_ = {}; }
  } pois;
  laukeamiset().clear();
  std::optional<std::pair<Tulkinta, Tarkisteet>> tulos = ansa<decltype(tulos)>(KASITTELE, [&] {
    Tulkinta t = tulkitse(syote, asetukset_);
    Tarkisteet k;
    if (tarkisteet_) {
      k = tarkista(syote);
    }
    return std::make_optional(std::make_pair(std::move(t), k));
  });
  if (!tulos) {
    selityksia = true;
    tulostin_->virhe(ulos, {syote, nullptr, {}, ensimmainen, sijainti});
    return;
  }
  const auto& [t, tarkisteet] = *tulos;
  if (!laukeamiset().empty() || t.laji != Laji::Tulkinta ||
      (tarkista_ && !tarkisteet.kaikkiKelpaavat())) {
    selityksia = true;
  }
  tulostin_->tulkinta(ulos, {syote, &t, tarkisteet, ensimmainen, sijainti});
}

void Kasittelija::kasitteleMuu(std::u16string_view syote, MuuLaji laji, std::u16string_view syy,
                               const Sijainti& sijainti, bool ensimmainen) {
  laukeamiset().clear();
  const Tietue tietue{syote, nullptr, {}, ensimmainen, &sijainti};
  if (laji != MuuLaji::Qr) {
    // kelvio read tells a file without a code by its own exit status.
    tulostin_->muu(ulos, tietue, {laji, nullptr, syy});
    return;
  }
  EpcMaksu maksu;
  std::u16string virhe;
  switch (lueEpc(syote, maksu, virhe)) {
    case EpcLaji::EiEpc: tulostin_->muu(ulos, tietue, {MuuLaji::MuuKoodi, nullptr, syote}); break;
    case EpcLaji::Virheellinen:
      selityksia = true;
      tulostin_->muu(ulos, tietue, {MuuLaji::Qr, nullptr, virhe});
      break;
    case EpcLaji::Maksu: {
      const Tarkisteet tarkisteet = tarkistaEpc(maksu);
      if (tarkista_ && !tarkisteet.kaikkiKelpaavat()) {
        selityksia = true;
      }
      const std::u16string raportti = epcRaportti(maksu, asetukset_);
      tulostin_->muu(ulos, {syote, nullptr, tarkisteet, ensimmainen, &sijainti},
                     {MuuLaji::Qr, &maksu, raportti});
      break;
    }
  }
}

std::size_t Kasittelija::kasitteleRivit(std::string_view tavut, std::size_t rivi,
                                        bool ensimmainen) {
  std::size_t riveja = 0;
  std::string kohta;
  while (!tavut.empty()) {
    const std::size_t lf = tavut.find('\n');
    std::string_view rivinTavut = tavut.substr(0, lf);
    tavut.remove_prefix(lf == std::string_view::npos ? tavut.size() : lf + 1);
    if (!rivinTavut.empty() && rivinTavut.back() == '\r' && lf != std::string_view::npos) {
      rivinTavut.remove_suffix(1);
    }
    rivi16_.clear();
    utf16ksi(rivi16_, rivinTavut);
    kohta = "rivi " + std::to_string(rivi + riveja);
    kasittele(rivi16_, kohta, ensimmainen);
    ensimmainen = false;
    ++riveja;
  }
  return riveja;
}

}  // namespace kelvio
