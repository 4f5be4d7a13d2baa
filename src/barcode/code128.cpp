#include "code128.h"

#include <array>

namespace kelvio {

namespace {

// The symbology's table of bar and space widths, value by value (ISO/IEC 15417).
constexpr std::array<std::string_view, 107> KUVIOT = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};
constexpr int ALOITUS_C = 105;
constexpr int LOPETUS = 106;

void lisaa(std::vector<int>& leveydet, int arvo) {
  for (const char c : KUVIOT[static_cast<std::size_t>(arvo)]) {
    leveydet.push_back(c - '0');
  }
}

}  // namespace

std::vector<int> code128C(std::string_view numerot) {
  std::vector<int> leveydet;
  lisaa(leveydet, ALOITUS_C);
  // The check character: the start's value plus each symbol's value times its
  // position, modulo 103.
  int summa = ALOITUS_C;
  for (std::size_t i = 0; i + 1 < numerot.size(); i += 2) {
    const int arvo = (numerot[i] - '0') * 10 + (numerot[i + 1] - '0');
    summa += arvo * static_cast<int>(i / 2 + 1);
    lisaa(leveydet, arvo);
  }
  lisaa(leveydet, summa % 103);
  lisaa(leveydet, LOPETUS);
  return leveydet;
}

}  // namespace kelvio
