#include "laskunluku.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string_view>
#include <utility>

#include "frmKelviomaro.h"
#include "ohjelma_windows.h"
#include "utf8.h"

namespace kelvio {

namespace {

void julkaise(HWND ikkuna, std::wstring teksti) {
  auto* t = new std::wstring(std::move(teksti));
  if (PostMessageW(ikkuna, WM_LASKUTEKSTI, 0, reinterpret_cast<LPARAM>(t)) == 0) {
    delete t;  // the window is gone
  }
}

std::wstring utf16na(const std::string& utf8) {
  const std::u16string t = utf16ksi(utf8);
  return {t.begin(), t.end()};
}

// The worker: kelvio.exe read -- FILES, its output posted line by line (a
// line is whole UTF-8), standard error with it.
void lueSaikeessa(HWND ikkuna, const std::wstring& lukija,
                  const std::vector<std::wstring>& tiedostot, std::atomic<HANDLE>& prosessi,
                  const std::atomic<bool>& lopeta) {
  std::wstring rivi = komentorivilla(lukija) + L" read --";
  for (const std::wstring& t : tiedostot) {
    rivi += L' ';
    rivi += komentorivilla(t);
  }
  SECURITY_ATTRIBUTES periytyva{sizeof periytyva, nullptr, TRUE};
  HANDLE luku = nullptr;
  HANDLE kirjoitus = nullptr;
  HANDLE tyhja = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &periytyva,
                             OPEN_EXISTING, 0, nullptr);
  PROCESS_INFORMATION p{};
  BOOL alkoi = FALSE;
  if (tyhja != INVALID_HANDLE_VALUE && CreatePipe(&luku, &kirjoitus, &periytyva, 0) != 0) {
    SetHandleInformation(luku, HANDLE_FLAG_INHERIT, 0);
    alkoi = kaynnistaPerien(lukija, rivi, tyhja, kirjoitus, kirjoitus, CREATE_NO_WINDOW, p) ? TRUE
                                                                                            : FALSE;
  }
  const DWORD virhe = GetLastError();
  if (kirjoitus != nullptr) {
    CloseHandle(kirjoitus);
  }
  if (tyhja != INVALID_HANDLE_VALUE) {
    CloseHandle(tyhja);
  }
  if (!alkoi) {
    if (luku != nullptr) {
      CloseHandle(luku);
    }
    julkaise(ikkuna, L"Laskua ei voi lukea: " + lukija + L" ei käynnisty (Windowsin virhe " +
                         std::to_wstring(virhe) + L").\r\n");
    return;
  }
  CloseHandle(p.hThread);
  prosessi = p.hProcess;
  if (lopeta) {
    TerminateProcess(p.hProcess, 1);
  }
  std::string kesken;
  char lohko[4096];
  DWORD n = 0;
  while (ReadFile(luku, lohko, sizeof lohko, &n, nullptr) != 0 && n > 0) {
    kesken.append(lohko, n);
    const std::size_t loppu = kesken.rfind('\n');
    if (loppu != std::string::npos) {
      julkaise(ikkuna, utf16na(kesken.substr(0, loppu + 1)));
      kesken.erase(0, loppu + 1);
    }
  }
  if (!kesken.empty()) {
    julkaise(ikkuna, utf16na(kesken));
  }
  CloseHandle(luku);
  WaitForSingleObject(p.hProcess, INFINITE);
  prosessi = nullptr;
  CloseHandle(p.hProcess);
}

}  // namespace

Laskunluku::~Laskunluku() {
  lopeta_ = true;
  if (HANDLE p = prosessi_.load()) {
    TerminateProcess(p, 1);
  }
  if (saie_.joinable()) {
    saie_.join();
  }
}

void Laskunluku::lue(HWND ikkuna, const std::wstring& lukija, std::vector<std::wstring> tiedostot) {
  if (kaynnissa_) {
    jono_.insert(jono_.end(), tiedostot.begin(), tiedostot.end());
    return;
  }
  aloita(ikkuna, lukija, std::move(tiedostot));
}

void Laskunluku::valmis(HWND ikkuna, const std::wstring& lukija) {
  if (saie_.joinable()) {
    saie_.join();
  }
  kaynnissa_ = false;
  if (!jono_.empty()) {
    aloita(ikkuna, lukija, std::exchange(jono_, {}));
  }
}

void Laskunluku::aloita(HWND ikkuna, const std::wstring& lukija,
                        std::vector<std::wstring> tiedostot) {
  kaynnissa_ = true;
  saie_ = std::thread([this, ikkuna, lukija, t = std::move(tiedostot)] {
    lueSaikeessa(ikkuna, lukija, t, prosessi_, lopeta_);
    PostMessageW(ikkuna, WM_LASKUT_LUETTU, 0, 0);
  });
}

std::wstring kelvionPolku() {
  std::wstring polku(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, polku.data(), static_cast<DWORD>(polku.size()));
  polku.resize(n < polku.size() ? n : 0);
  const std::size_t kansio = polku.find_last_of(L"\\/");
  polku.resize(kansio == std::wstring::npos ? 0 : kansio + 1);
  return polku + L"kelvio.exe";
}

std::wstring komentorivilla(const std::wstring& argumentti) {
  std::wstring t = L"\"";
  std::size_t kenoja = 0;
  for (const wchar_t c : argumentti) {
    if (c == L'\\') {
      ++kenoja;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    t.append(c == L'"' ? 2 * kenoja + 1 : kenoja, L'\\');
    kenoja = 0;
    t += c;
  }
  // Before the closing quote, likewise.
  t.append(2 * kenoja, L'\\');
  t += L'"';
  return t;
}

bool avaaCtrlO(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != 'O' || GetKeyState(VK_CONTROL) >= 0 ||
      GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) {
    return false;
  }
  HWND ikkuna = GetAncestor(msg.hwnd, GA_ROOT);
  wchar_t luokka[64] = L"";
  GetClassNameW(ikkuna, luokka, 64);
  if (std::wstring_view(luokka) != KELVIOMARO_LUOKKA) {
    return false;
  }
  SendMessageW(ikkuna, WM_COMMAND, ID_AVAA, 0);
  return true;
}

namespace {

// A new reading empties the output box; files given while one runs follow it.
void lueLaskut(Kelviomaro& f, std::vector<std::wstring> tiedostot) {
  if (tiedostot.empty()) {
    return;
  }
  if (!f.laskut.kaynnissa()) {
    SetWindowTextW(f.txtTulkinta, L"");
  }
  f.laskut.lue(f.hwnd, f.lukija.empty() ? kelvionPolku() : f.lukija, std::move(tiedostot));
}

}  // namespace

void OnDropFiles(Kelviomaro& f, HDROP pudotus) {
  std::vector<std::wstring> tiedostot;
  const UINT maara = DragQueryFileW(pudotus, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < maara; ++i) {
    std::wstring nimi(DragQueryFileW(pudotus, i, nullptr, 0) + 1, L'\0');
    nimi.resize(DragQueryFileW(pudotus, i, nimi.data(), static_cast<UINT>(nimi.size())));
    if (!nimi.empty()) {
      tiedostot.push_back(std::move(nimi));
    }
  }
  DragFinish(pudotus);
  lueLaskut(f, std::move(tiedostot));
}

void avaaLasku(Kelviomaro& f) {
  std::wstring puskuri(1U << 16, L'\0');
  OPENFILENAMEW o{};
  o.lStructSize = sizeof o;
  o.hwndOwner = f.hwnd;
  o.lpstrFilter =
      L"Laskut (PDF, kuvat, Finvoice)\0*.pdf;*.png;*.jpg;*.jpeg;*.tif;*.tiff;*.xml\0"
      L"Kaikki tiedostot\0*.*\0";
  o.lpstrFile = puskuri.data();
  o.nMaxFile = static_cast<DWORD>(puskuri.size());
  o.lpstrTitle = L"Avaa lasku";
  o.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
            OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&o) == 0) {
    return;
  }
  // One file: its full name; several: the folder, then each name, each
  // ended by a zero, the list by another.
  std::vector<std::wstring> osat;
  for (const wchar_t* p = puskuri.c_str(); *p != L'\0'; p += osat.back().size() + 1) {
    osat.emplace_back(p);
  }
  std::vector<std::wstring> tiedostot;
  if (osat.size() == 1) {
    tiedostot = osat;
  } else {
    const std::wstring kansio = osat[0].ends_with(L'\\') ? osat[0] : osat[0] + L'\\';
    for (std::size_t i = 1; i < osat.size(); ++i) {
      tiedostot.push_back(kansio + osat[i]);
    }
  }
  lueLaskut(f, std::move(tiedostot));
}

void OnLaskuteksti(Kelviomaro& f, const std::wstring& teksti) {
  const int loppu = GetWindowTextLengthW(f.txtTulkinta);
  SendMessageW(f.txtTulkinta, EM_SETSEL, loppu, loppu);
  SendMessageW(f.txtTulkinta, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(teksti.c_str()));
}

}  // namespace kelvio
