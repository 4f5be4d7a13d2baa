// libFuzzer: the parts of kelvio read that Kelvio writes itself: the finder of
// printed virtual barcodes, the EPC payload reader and the Finvoice reader.
#include <cstdint>
#include <string>
#include <string_view>

#include "aluesetukset.h"
#include "epc.h"
#include "tiedosto.h"
#include "utf8.h"
#include "virtuaaliviivakoodi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
  using namespace kelvio;
  const std::string_view tavut(reinterpret_cast<const char*>(data), koko);
  for (const Virtuaalikoodi& koodi : etsiVirtuaaliviivakoodit(sanatTekstista(tavut))) {
    if (koodi.numerot.size() != 54) {
      __builtin_trap();
    }
  }
  (void)qrTekstiksi(tavut);
  EpcMaksu maksu;
  std::u16string virhe;
  if (lueEpc(utf16ksi(tavut), maksu, virhe) == EpcLaji::Maksu) {
    (void)tarkistaEpc(maksu);
    (void)epcRaportti(maksu, KaavaAsetukset::suomi());
  }
  (void)lueFinvoice(tavut);
  return 0;
}
