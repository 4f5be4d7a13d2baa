#include "ikkuna_alusta.h"

#include <windows.h>

#include <string>

#include "frmPulma.h"
#include "tuote.h"

namespace kelvio {

void IkkunaAlusta::viesti(std::u16string_view teksti) {
  const std::u16string t(teksti);
  MessageBoxW(paaikkuna, reinterpret_cast<const wchar_t*>(t.c_str()), L"" KELVIO_NIMI, MB_OK);
}

void IkkunaAlusta::nollaaHiiri() {
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool IkkunaAlusta::naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) {
  return kelvio::naytaPulma(paaikkuna, virheteksti, kysely);
}

}  // namespace kelvio
