// libFuzzer: the command line as a whole: option parsing, the batch reader on
// standard input and every output mode, with fuzzed decimal separators and
// date patterns. The input is NUL-separated arguments, then after two NULs
// the bytes of standard input.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "komentorivi.h"
#include "utf8.h"

namespace {

// A folder named virhelog.txt beside the program: the log refuses it, so the
// errors the fuzzer finds are written nowhere.
void estaLoki() {
  static const bool tehty = [] {
    const std::filesystem::path ohjelma = std::filesystem::read_symlink("/proc/self/exe");
    std::error_code e;
    std::filesystem::create_directory(ohjelma.parent_path() / "virhelog.txt", e);
    return true;
  }();
  (void)tehty;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t koko) {
  estaLoki();
  std::string_view tavut(reinterpret_cast<const char*>(data), koko);
  const std::size_t raja = tavut.find(std::string_view("\0\0", 2));
  std::string_view argumentit = tavut.substr(0, raja);
  const std::string syote(raja == std::string_view::npos ? "" : tavut.substr(raja + 2));
  std::vector<std::u16string> args;
  while (!argumentit.empty() && args.size() < 16) {
    const std::size_t nul = argumentit.find('\0');
    args.push_back(kelvio::utf16ksi(argumentit.substr(0, nul)));
    argumentit.remove_prefix(nul == std::string_view::npos ? argumentit.size() : nul + 1);
  }
  std::FILE* sisaan = fmemopen(const_cast<char*>(syote.data()), syote.size() + 1, "r");
  char* ulos = nullptr;
  std::size_t ulosKoko = 0;
  std::FILE* tuloste = open_memstream(&ulos, &ulosKoko);
  std::FILE* virheet = std::fopen("/dev/null", "w");
  if (sisaan != nullptr && tuloste != nullptr && virheet != nullptr) {
    const int tila = kelvio::komentorivi(args, sisaan, tuloste, virheet, "\n");
    if (tila < 0 || tila > 3) {
      std::abort();  // only the documented exit statuses
    }
  }
  for (std::FILE* f : {sisaan, tuloste, virheet}) {
    if (f != nullptr) {
      std::fclose(f);
    }
  }
  std::free(ulos);
  return 0;
}
