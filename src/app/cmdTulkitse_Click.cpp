#include "app/frmKelviomaro.h"
#include "app/ikkunat.h"
#include "errors/virhe.h"
#include "platform/alusta.h"

namespace kelvio {

void cmdTulkitse_Click(Kelviomaro& f) noexcept {
  ansa<int>(CMDTULKITSE_CLICK, [&] {
    const std::u16string syote = lueTeksti(f.txtViivakoodi);
    tulkitse(syote, alusta().aluesetukset(), f.tulkinta);
    asetaTeksti(f.txtTulkinta, f.tulkinta.raportti);
    // The whole input selected, so that the next scan replaces it; focus stays.
    SendMessageW(f.txtViivakoodi, EM_SETSEL, 0, GetWindowTextLengthW(f.txtViivakoodi));
    return 0;
  });
}

}  // namespace kelvio
