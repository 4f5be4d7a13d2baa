#include "fe_NollatPois.h"

namespace kelvio {

std::u16string fe_NollatPois(std::u16string_view teksti) {
  const std::size_t alku = teksti.find_first_not_of(u'0');
  return std::u16string(alku == std::u16string_view::npos ? std::u16string_view{}
                                                          : teksti.substr(alku));
}

}  // namespace kelvio
