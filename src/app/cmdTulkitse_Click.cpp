#include "alusta.h"
#include "frmKelviomaro.h"
#include "ikkunat.h"
#include "virhe.h"

namespace kelvio {

namespace {

// The trap of the routine that runs the interpretation for the user.
constexpr Kutsupaikka CMDTULKITSE_CLICK{1138, u"frmKelvio", u"cmdTulkitse_Click"};

}  // namespace

void cmdTulkitse_Click(Kelviomaro& f) noexcept {
  ansa<int>(CMDTULKITSE_CLICK, [&] {
    const std::u16string syote = lueTeksti(f.txtViivakoodi);
    f.tulkinta = tulkitse(syote, alusta().aluesetukset());
    asetaTeksti(f.txtTulkinta, f.tulkinta.raportti);
    // The whole input selected, so that the next scan replaces it; focus stays.
    SendMessageW(f.txtViivakoodi, EM_SETSEL, 0, GetWindowTextLengthW(f.txtViivakoodi));
    return 0;
  });
}

}  // namespace kelvio
