// The platform of the window program: message boxes, the error window, the pointer.
#pragma once

#include "jarjestelma.h"

namespace kelvio {

class IkkunaAlusta final : public JarjestelmaAlusta {
 public:
  void viesti(std::u16string_view teksti) override;
  void nollaaHiiri() override;
  bool naytaPulma(std::u16string_view virheteksti, std::u16string_view kysely) override;
};

}  // namespace kelvio
