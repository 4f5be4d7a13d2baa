// The platform of the window program: message boxes, the error window, the pointer.
#pragma once

#include <windows.h>

#include "jarjestelma.h"

namespace kelvio {

class IkkunaAlusta final : public JarjestelmaAlusta {
 public:
  // The owner of the error window and the message boxes: they are modal to
  // the main window whatever window is active.
  HWND paaikkuna = nullptr;

  void viesti(std::u16string_view teksti) override;
  void nollaaHiiri() override;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override;
};

}  // namespace kelvio
