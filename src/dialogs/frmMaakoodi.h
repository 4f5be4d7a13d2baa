// The country code dialog: a list and two buttons that record the answer.
#pragma once

#include <string>
#include <string_view>

#include "ikkunat.h"

namespace kelvio {

inline constexpr int ID_VIE = 301;
inline constexpr int ID_PERUUTA = 302;
inline constexpr int ID_LSTMAAKOODI = 303;
inline constexpr wchar_t MAAKOODI_LUOKKA[] = L"frmMaakoodi";

struct Maakoodi : Ikkuna {
  HWND lstMaakoodi = nullptr;
  HWND cmdVie = nullptr;
  HWND cmdPeruuta = nullptr;
};

// The answer of the last button pressed, as text: "True" after "&Peruuta"
// (cancelled), "False" after "&Vie!", empty before either.
extern std::u16string MaakoodiPeruttu;

// The text forms of true and false used in MaakoodiPeruttu, and back.
std::u16string totuusTekstiksi(bool arvo);
bool tekstiTotuudeksi(std::u16string_view teksti);  // "True" (any case) is true

// Creates the dialog hidden; the caller fills lstMaakoodi, shows it with
// naytaMaakoodi and destroys it when done.
HWND luoMaakoodi(HWND omistaja);
inline Maakoodi* maakoodi(HWND hwnd) {
  return tiedot<Maakoodi>(hwnd);
}
void naytaMaakoodi(HWND dialogi, HWND omistaja);

void cmdVie_Click(Maakoodi& f);
void cmdPeruuta_Click(Maakoodi& f);

}  // namespace kelvio
