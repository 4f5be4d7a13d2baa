#include "sivusaannot.h"

#include <algorithm>

#include "asettelu.h"
#include "utf8.h"

namespace kelvio {

namespace {

constexpr std::string_view TULOSTETTU = "printed";
constexpr Maksukentta KENTAT[] = {Maksukentta::Tili, Maksukentta::Viite, Maksukentta::Summa,
                                  Maksukentta::Erapaiva};

std::vector<std::string> lahteidenNimet(unsigned lahteet) {
  std::vector<std::string> nimet;
  for (std::size_t i = 0; i < LAHTEITA; ++i) {
    if ((lahteet >> i & 1U) != 0) {
      nimet.emplace_back(LAHTEIDEN_NIMET[i].kone);
    }
  }
  return nimet;
}

// The value's entry in the field's difference, made when missing.
void lisaaArvo(Ero& ero, std::vector<std::string> lahteet, const std::string& arvo) {
  for (Ero::Arvo& a : ero.arvot) {
    if (a.arvo == arvo) {
      for (std::string& l : lahteet) {
        if (std::find(a.lahteet.begin(), a.lahteet.end(), l) == a.lahteet.end()) {
          a.lahteet.push_back(std::move(l));
        }
      }
      return;
    }
  }
  ero.arvot.push_back({std::move(lahteet), arvo});
}

// A copy of a payment: what a code of the page says.
struct Kopio {
  const Loyto* loyto;
  std::optional<Maksu> maksu;
  std::optional<EpcMaksu> epc;
};

Kopio kopio(const Loyto& l) {
  Kopio k{&l, std::nullopt, std::nullopt};
  if (l.lahde == Lahde::Qr) {
    EpcMaksu epc;
    std::u16string virhe;
    if (lueEpc(utf16ksi(l.teksti), epc, virhe) == EpcLaji::Maksu) {
      k.maksu = epcMaksu(epc);
      k.epc = std::move(epc);
    }
  } else {
    k.maksu = viivakoodinMaksu(l.teksti);
  }
  return k;
}

// Bank barcodes are the same copy only digit for digit; the other copies
// (an EPC QR code, a message's payment details) join a record whose every
// field they agree with.
bool samaMaksu(const Kopio& k, const Koodi& r) {
  const bool viivakoodi = k.loyto->lahde != Lahde::Qr && k.loyto->lahde != Lahde::Maksutiedot;
  const bool tietueenViivakoodi = !r.qr && pankkiviivakoodi(r.teksti);
  if (viivakoodi && tietueenViivakoodi) {
    return k.loyto->teksti == r.teksti;
  }
  return eroavatKentat(*k.maksu, *r.maksu).empty();
}

void tulostettuja(std::vector<Koodi>& koodit, const Sivutulos& sivu, std::vector<Ero>& erot) {
  for (const Koodi& k : koodit) {
    if (!k.maksu) {
      continue;
    }
    if (!sivu.tilit.empty() && !k.maksu->tili.empty() &&
        std::find(sivu.tilit.begin(), sivu.tilit.end(), k.maksu->tili) == sivu.tilit.end()) {
      Ero ero{Maksukentta::Tili, {}};
      lisaaArvo(ero, lahteidenNimet(k.lahteet), k.maksu->tili);
      for (const std::string& tili : sivu.tilit) {
        lisaaArvo(ero, {std::string(TULOSTETTU)}, tili);
      }
      erot.push_back(std::move(ero));
    }
    if (!sivu.summat.empty() && k.maksu->sentit &&
        std::find(sivu.summat.begin(), sivu.summat.end(), *k.maksu->sentit) == sivu.summat.end()) {
      Ero ero{Maksukentta::Summa, {}};
      lisaaArvo(ero, lahteidenNimet(k.lahteet), kentanArvo(*k.maksu, Maksukentta::Summa));
      for (const std::int64_t summa : sivu.summat) {
        Maksu m;
        m.sentit = summa;
        lisaaArvo(ero, {std::string(TULOSTETTU)}, kentanArvo(m, Maksukentta::Summa));
      }
      erot.push_back(std::move(ero));
    }
  }
}

}  // namespace

std::vector<Koodi> kokoaSivu(const Sivutulos& sivu) {
  std::vector<Koodi> koodit;
  for (const Loyto& l : sivu.koodit) {
    const Kopio k = kopio(l);
    const bool qr = l.lahde == Lahde::Qr;
    auto r = koodit.end();
    if (k.maksu) {
      r = std::find_if(koodit.begin(), koodit.end(),
                       [&](const Koodi& r) { return r.maksu && samaMaksu(k, r); });
    } else {
      r = std::find_if(koodit.begin(), koodit.end(), [&](const Koodi& r) {
        return !r.maksu && r.qr == qr && r.teksti == l.teksti;
      });
    }
    if (r == koodit.end()) {
      koodit.push_back({l.teksti, qr, 0, l.y, k.maksu, k.epc, {}, false, sivu.tekstikerros});
      r = koodit.end() - 1;
    } else if (r->qr && !qr) {
      r->teksti = l.teksti;  // the bank barcode's digits name the record
      r->qr = false;
    }
    if (k.epc && !r->epc) {
      r->epc = k.epc;
    }
    if (k.maksu && r->maksu) {
      // The record names what any copy names.
      for (const Maksukentta kentta : KENTAT) {
        if (kentanArvo(*r->maksu, kentta).empty()) {
          switch (kentta) {
            case Maksukentta::Tili: r->maksu->tili = k.maksu->tili; break;
            case Maksukentta::Viite: r->maksu->viite = k.maksu->viite; break;
            case Maksukentta::Summa: r->maksu->sentit = k.maksu->sentit; break;
            case Maksukentta::Erapaiva: r->maksu->eraPaiva = k.maksu->eraPaiva; break;
          }
        }
      }
    }
    r->lahteet |= lahdeBitti(l.lahde);
    r->y = std::min(r->y, l.y);
  }
  std::stable_sort(koodit.begin(), koodit.end(),
                   [](const Koodi& a, const Koodi& b) { return a.y < b.y; });
  // Every field in which the page's payments differ, with each value.
  std::vector<Ero> erot;
  for (const Maksukentta kentta : KENTAT) {
    Ero ero{kentta, {}};
    for (const Koodi& k : koodit) {
      if (k.maksu && !kentanArvo(*k.maksu, kentta).empty()) {
        lisaaArvo(ero, lahteidenNimet(k.lahteet), kentanArvo(*k.maksu, kentta));
      }
    }
    if (ero.arvot.size() > 1) {
      erot.push_back(std::move(ero));
    }
  }
  tulostettuja(koodit, sivu, erot);
  if (!erot.empty()) {
    for (Koodi& k : koodit) {
      k.erot = erot;
      k.ristiriita = true;
    }
  }
  return koodit;
}

void vertaaSivuja(std::vector<std::vector<Koodi>>& sivut) {
  Ero ero{Maksukentta::Tili, {}};
  for (std::size_t s = 0; s < sivut.size(); ++s) {
    for (const Koodi& k : sivut[s]) {
      if (k.maksu && !k.maksu->tili.empty()) {
        lisaaArvo(ero, {"page " + std::to_string(s + 1)}, k.maksu->tili);
      }
    }
  }
  if (ero.arvot.size() < 2) {
    return;
  }
  for (std::vector<Koodi>& sivu : sivut) {
    for (Koodi& k : sivu) {
      if (k.maksu) {
        k.erot.push_back(ero);
        k.ristiriita = true;
      }
    }
  }
}

}  // namespace kelvio
