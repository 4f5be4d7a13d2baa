#include "formatting/nollat.h"

namespace kelvio {

std::u16string fe_NollatPois(std::u16string_view teksti) {
  return std::u16string(nollatPois(teksti));
}

}  // namespace kelvio
