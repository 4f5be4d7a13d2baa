#include <windows.h>

#include "tiedostoluku.h"
#include "utf8.h"

namespace kelvio {

namespace {

std::string syyksi(DWORD virhe) {
  switch (virhe) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "tiedostoa ei ole";
    case ERROR_ACCESS_DENIED: return "ei lukuoikeutta";
    case ERROR_SHARING_VIOLATION: return "toinen ohjelma pitää tiedostoa auki";
    default: return "Windowsin virhe " + std::to_string(virhe);
  }
}

struct Kahva {
  HANDLE h;
  ~Kahva() {
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
    }
  }
};

}  // namespace

bool lueKokoTiedosto(const std::string& polku, std::uint64_t enintaan, std::string& tavut,
                     std::string& syy) {
  const std::u16string nimi = utf16ksi(polku);
  const auto* w = reinterpret_cast<const wchar_t*>(nimi.c_str());
  // What the name is, before it is opened: a link (reparse point) is not
  // followed, a folder or a device not opened.
  const DWORD maareet = GetFileAttributesW(w);
  if (maareet == INVALID_FILE_ATTRIBUTES) {
    syy = "tiedostoa ei voi avata: " + syyksi(GetLastError());
    return false;
  }
  if ((maareet & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    syy = "linkki, jota ei seurata";
    return false;
  }
  if ((maareet & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    syy = "kansio, ei tiedosto";
    return false;
  }
  const Kahva k{CreateFileW(w, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                            nullptr)};
  if (k.h == INVALID_HANDLE_VALUE) {
    syy = "tiedostoa ei voi avata: " + syyksi(GetLastError());
    return false;
  }
  LARGE_INTEGER koko{};
  if (GetFileType(k.h) != FILE_TYPE_DISK || GetFileSizeEx(k.h, &koko) == 0) {
    syy = "ei tavallinen tiedosto (laite tai putki)";
    return false;
  }
  if (static_cast<std::uint64_t>(koko.QuadPart) > enintaan) {
    syy = "tiedosto on suurempi kuin " + std::to_string(enintaan >> 20) + " MiB";
    return false;
  }
  tavut.resize(static_cast<std::size_t>(koko.QuadPart));
  std::size_t luettu = 0;
  while (luettu < tavut.size()) {
    DWORD n = 0;
    const DWORD pala = static_cast<DWORD>(std::min<std::size_t>(tavut.size() - luettu, 1U << 30));
    if (ReadFile(k.h, tavut.data() + luettu, pala, &n, nullptr) == 0 || n == 0) {
      syy = "tiedoston luku epäonnistui: " +
            std::string(n == 0 ? "tiedosto lyheni kesken luvun" : syyksi(GetLastError()));
      return false;
    }
    luettu += n;
  }
  return true;
}

}  // namespace kelvio
