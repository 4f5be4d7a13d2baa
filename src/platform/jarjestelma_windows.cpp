// Windows: the user's regional settings, the ANSI code page, wide file APIs.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "ajovirhe.h"
#include "jarjestelma.h"
#include "utf8.h"

namespace kelvio {

namespace {

const wchar_t* w(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
std::u16string u(const wchar_t* s, std::size_t n) {
  return {reinterpret_cast<const char16_t*>(s), n};
}

[[noreturn]] void tiedostovirhe() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND: nosta(VIRHE_EI_TIEDOSTOA);
    case ERROR_PATH_NOT_FOUND: nosta(VIRHE_EI_POLKUA);
    case ERROR_ACCESS_DENIED: nosta(VIRHE_EI_LUPAA);
    default: nosta(VIRHE_TIEDOSTO);
  }
}

// Opens a regular file on a disk only: a link or junction is opened as
// itself and refused, and so are pipes and devices. Another process holding
// the file a moment (a sharing violation) is waited for a little.
HANDLE avaaTavallinen(std::u16string_view polku, DWORD oikeudet, DWORD tapa) {
  const std::u16string p(polku);
  HANDLE f = INVALID_HANDLE_VALUE;
  for (int yritys = 0; yritys < 50; ++yritys) {
    f = CreateFileW(w(p), oikeudet, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, tapa,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (f != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) {
      break;
    }
    Sleep(20);
  }
  if (f == INVALID_HANDLE_VALUE) {
    tiedostovirhe();
  }
  FILE_ATTRIBUTE_TAG_INFO tiedot{};
  const bool tavallinen =
      GetFileType(f) == FILE_TYPE_DISK &&
      GetFileInformationByHandleEx(f, FileAttributeTagInfo, &tiedot, sizeof tiedot) != 0 &&
      (tiedot.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0;
  if (!tavallinen) {
    CloseHandle(f);
    nosta(VIRHE_TIEDOSTO);
  }
  return f;
}

SYSTEMTIME jarjestelmaaika(const Paivays& pvm, const Kellonaika& aika) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(pvm.vuosi);
  st.wMonth = static_cast<WORD>(pvm.kuukausi);
  st.wDay = static_cast<WORD>(pvm.paiva);
  st.wHour = static_cast<WORD>(aika.tunti);
  st.wMinute = static_cast<WORD>(aika.minuutti);
  st.wSecond = static_cast<WORD>(aika.sekunti);
  return st;
}

// The user's default locale, read through the system's own formatting.
class WindowsAsetukset final : public Aluesetukset {
 public:
  WindowsAsetukset() {
    wchar_t erotin[8] = {};
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, erotin, 8);
    erotin_ = n > 1 ? u(erotin, static_cast<std::size_t>(n - 1)) : u",";
  }
  std::u16string_view desimaalierotin() const override { return erotin_; }
  void kirjoitaPaivays(std::u16string& kohde, const Paivays& pvm) const override {
    const SYSTEMTIME st = jarjestelmaaika(pvm, {});
    wchar_t puskuri[128];
    const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, puskuri,
                                  128, nullptr);
    if (n <= 0) {
      nosta(VIRHE_ARGUMENTTI);
    }
    kohde.append(reinterpret_cast<const char16_t*>(puskuri), static_cast<std::size_t>(n - 1));
  }
  void kirjoitaAika(std::u16string& kohde, const Kellonaika& aika) const override {
    const SYSTEMTIME st = jarjestelmaaika({2000, 1, 1}, aika);
    wchar_t puskuri[128];
    const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, puskuri, 128);
    if (n <= 0) {
      nosta(VIRHE_ARGUMENTTI);
    }
    kohde.append(reinterpret_cast<const char16_t*>(puskuri), static_cast<std::size_t>(n - 1));
  }

 private:
  std::u16string erotin_;
};

std::u16string moduulinPolku() {
  std::wstring polku(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, polku.data(), static_cast<DWORD>(polku.size()));
    if (n == 0) {
      nosta(VIRHE_SISAINEN);
    }
    if (n < polku.size()) {
      return u(polku.data(), n);
    }
    polku.resize(polku.size() * 2);
  }
}

}  // namespace

JarjestelmaAlusta::JarjestelmaAlusta() : asetukset_(std::make_unique<WindowsAsetukset>()) {}

Hetki JarjestelmaAlusta::nyt() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return {{st.wYear, st.wMonth, st.wDay}, {st.wHour, st.wMinute, st.wSecond}};
}

std::u16string JarjestelmaAlusta::ohjelmanNimi() {
  std::u16string polku = moduulinPolku();
  polku = polku.substr(polku.find_last_of(u"\\/") + 1);
  const std::size_t piste = polku.find_last_of(u'.');
  if (piste != std::u16string::npos && piste > 0) {
    polku.resize(piste);
  }
  return polku;
}

std::u16string JarjestelmaAlusta::ohjelmakansio() {
  std::u16string polku = moduulinPolku();
  polku.resize(polku.find_last_of(u"\\/"));
  // A drive root keeps its backslash, as the system writes it.
  if (polku.size() == 2 && polku[1] == u':') {
    polku.push_back(u'\\');
  }
  return polku;
}

std::u16string JarjestelmaAlusta::ymparisto(std::u16string_view nimi) {
  const std::u16string n(nimi);
  const DWORD koko = GetEnvironmentVariableW(w(n), nullptr, 0);
  if (koko == 0) {
    return {};
  }
  std::wstring arvo(koko, L'\0');
  const DWORD pituus = GetEnvironmentVariableW(w(n), arvo.data(), koko);
  return u(arvo.data(), pituus < koko ? pituus : 0);
}

char16_t JarjestelmaAlusta::erotin() {
  return u'\\';
}

std::u16string JarjestelmaAlusta::lueEnsimmainenRivi(std::u16string_view polku) {
  // The handle is closed however this returns.
  const std::unique_ptr<void, decltype(&CloseHandle)> f(
      avaaTavallinen(polku, GENERIC_READ, OPEN_EXISTING), &CloseHandle);
  std::string rivi;
  char puskuri[4096];
  DWORD luettu = 0;
  bool loppu = false;
  while (!loppu && rivi.size() < (1U << 20)) {
    if (ReadFile(f.get(), puskuri, sizeof puskuri, &luettu, nullptr) == 0) {
      nosta(VIRHE_LOPUN_YLI);  // a read error is a failure, as on POSIX: no part of a line
    }
    if (luettu == 0) {
      break;
    }
    loppu = lisaaRivinAlku(rivi, std::string_view(puskuri, luettu));
  }
  if (rivi.empty()) {
    return {};
  }
  const int n =
      MultiByteToWideChar(CP_ACP, 0, rivi.data(), static_cast<int>(rivi.size()), nullptr, 0);
  std::wstring tulos(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, rivi.data(), static_cast<int>(rivi.size()), tulos.data(), n);
  return u(tulos.data(), tulos.size());
}

bool JarjestelmaAlusta::loytyykoMerkinta(std::u16string_view kuvio) {
  const std::u16string k(kuvio);
  WIN32_FIND_DATAW tiedot{};
  HANDLE h = FindFirstFileW(w(k), &tiedot);
  if (h == INVALID_HANDLE_VALUE) {
    return false;
  }
  FindClose(h);
  return true;
}

void JarjestelmaAlusta::asetaNykyhakemisto(std::u16string_view kansio) {
  const std::u16string k(kansio);
  if (SetCurrentDirectoryW(w(k)) == 0) {
    nosta(VIRHE_EI_POLKUA);
  }
}

std::u16string JarjestelmaAlusta::nykyhakemisto() {
  const DWORD koko = GetCurrentDirectoryW(0, nullptr);
  std::wstring polku(koko, L'\0');
  const DWORD n = GetCurrentDirectoryW(koko, polku.data());
  if (n == 0 || n >= koko) {
    nosta(VIRHE_EI_POLKUA);
  }
  return u(polku.data(), n);
}

void JarjestelmaAlusta::liitaTiedostoon(std::u16string_view polku, std::u16string_view teksti) {
  std::string tavut;
  if (!teksti.empty()) {
    const auto* lahde = reinterpret_cast<const wchar_t*>(teksti.data());
    const int pituus = static_cast<int>(teksti.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, lahde, pituus, nullptr, 0, "?", nullptr);
    tavut.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, lahde, pituus, tavut.data(), n, "?", nullptr);
  }
  // Appends only, shared with other writers: one WriteFile of the whole entry,
  // under a lock of one byte far past any end, since not every system (Wine,
  // some network shares) appends atomically across processes.
  HANDLE f = avaaTavallinen(polku, FILE_APPEND_DATA | FILE_READ_DATA, OPEN_ALWAYS);
  OVERLAPPED lukko{};
  lukko.Offset = 0xFFFFFFFE;
  lukko.OffsetHigh = 0x7FFFFFFF;
  // Anyone who can read the log can hold the byte locked: waited for a bounded
  // time, then the entry is skipped. A share that cannot lock is written as is.
  bool lukittu = false;
  for (int yritys = 0; yritys < LUKON_YRITYKSET; ++yritys) {
    lukittu =
        LockFileEx(f, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &lukko) != 0;
    if (lukittu || GetLastError() != ERROR_LOCK_VIOLATION) {
      break;
    }
    Sleep(LUKON_VALI_MS);
  }
  if (!lukittu && GetLastError() == ERROR_LOCK_VIOLATION) {
    CloseHandle(f);
    nosta(VIRHE_LUKITTU);
  }
  DWORD kirjoitettu = 0;
  const BOOL ok =
      WriteFile(f, tavut.data(), static_cast<DWORD>(tavut.size()), &kirjoitettu, nullptr);
  if (lukittu) {
    UnlockFileEx(f, 0, 1, 0, &lukko);
  }
  CloseHandle(f);
  if (ok == 0 || kirjoitettu != tavut.size()) {
    nosta(VIRHE_TIEDOSTO);
  }
}

std::uint8_t JarjestelmaAlusta::ansiKoodi(char16_t merkki) {
  const auto c = static_cast<wchar_t>(merkki);
  char tavut[4] = {'?'};
  const int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, tavut, sizeof tavut, "?", nullptr);
  return n > 0 ? static_cast<std::uint8_t>(tavut[0]) : static_cast<std::uint8_t>('?');
}

}  // namespace kelvio
