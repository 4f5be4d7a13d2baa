// The window tests' shared steps: sending keys, handling messages until the
// windows are done, timer steps inside modal loops, waiting for a window.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "ikkunat.h"
#include "laskunluku.h"
#include "utf8.h"

namespace kelvio::testi {

// Handles messages until none has come for a while: sent keys arrive through
// the system's input thread, so an empty queue alone does not mean done.
inline void pumppaa() {
  constexpr DWORD HILJAA_MS = 40;
  const ULONGLONG raja = GetTickCount64() + 3000;
  MSG msg;
  do {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != 0) {
      // As the program's own loop does.
      if (avaaCtrlO(msg)) {
        continue;
      }
      if (IsDialogMessageW(GetAncestor(msg.hwnd, GA_ROOT), &msg) == 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  } while (MsgWaitForMultipleObjects(0, nullptr, FALSE, HILJAA_MS, QS_ALLINPUT) != WAIT_TIMEOUT &&
           GetTickCount64() < raja);
}

// Waits, handling messages, for a top-level window of the class to show.
inline HWND odotaIkkuna(const wchar_t* luokka) {
  const ULONGLONG raja = GetTickCount64() + 5000;
  HWND h = nullptr;
  while ((h = FindWindowW(luokka, nullptr)) == nullptr && GetTickCount64() < raja) {
    pumppaa();
  }
  return h;
}

inline void nappain(WORD vk, bool ylos) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.dwFlags = ylos ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &i, sizeof i);
}

// Sends a key, with a modifier held, without waiting for it.
inline void laheta(WORD vk, WORD muunnin = 0) {
  if (muunnin != 0) {
    nappain(muunnin, false);
  }
  nappain(vk, false);
  nappain(vk, true);
  if (muunnin != 0) {
    nappain(muunnin, true);
  }
}

// Sends a key and lets the windows handle it.
inline void paina(WORD vk, WORD muunnin = 0) {
  laheta(vk, muunnin);
  pumppaa();
}

inline void kirjoita(const std::string& teksti) {
  for (const char c : teksti) {
    INPUT i[2]{};
    i[0].type = i[1].type = INPUT_KEYBOARD;
    i[0].ki.wScan = i[1].ki.wScan = static_cast<WORD>(c);
    i[0].ki.dwFlags = KEYEVENTF_UNICODE;
    i[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, i, sizeof(INPUT));
  }
  pumppaa();
}

inline std::string teksti(HWND h) {
  return utf8ksi(lueTeksti(h));
}

// Steps run one per timer tick while a modal loop runs; a dialog still open
// after them is closed, so that a failing test cannot hang.
inline std::vector<std::function<void()>> askeleet;
inline std::size_t askel = 0;
inline HWND modaalinen = nullptr;

inline void CALLBACK seuraavaAskel(HWND /*hwnd*/, UINT /*viesti*/, UINT_PTR ajastin,
                                   DWORD /*aika*/) {
  if (askel < askeleet.size()) {
    askeleet[askel++]();
  } else {
    KillTimer(nullptr, ajastin);
    if (IsWindow(modaalinen) != 0 && IsWindowVisible(modaalinen) != 0) {
      PostMessageW(modaalinen, WM_CLOSE, 0, 0);
    }
  }
}

// Steps that each note where the focus is, then press one key (with its
// modifier, 0: none).
struct Painallus {
  WORD nappain;
  WORD muunnin = 0;
};
inline std::vector<std::function<void()>> painallukset(const std::function<void()>& kirjaa,
                                                       std::initializer_list<Painallus> nappaimet) {
  std::vector<std::function<void()>> tulos;
  for (const Painallus p : nappaimet) {
    tulos.emplace_back([kirjaa, p] {
      kirjaa();
      laheta(p.nappain, p.muunnin);
    });
  }
  return tulos;
}

// Another program's window, to switch to and to lie behind the program.
struct ToinenIkkuna {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"toinen", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                              200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ToinenIkkuna() = default;
  ToinenIkkuna(const ToinenIkkuna&) = delete;
  ToinenIkkuna& operator=(const ToinenIkkuna&) = delete;
  ~ToinenIkkuna() { DestroyWindow(hwnd); }
};

inline std::pair<DWORD, DWORD> valinta(HWND ruutu) {
  DWORD alku = 0;
  DWORD loppu = 0;
  SendMessageW(ruutu, EM_GETSEL, reinterpret_cast<WPARAM>(&alku), reinterpret_cast<LPARAM>(&loppu));
  return {alku, loppu};
}

// Runs a command line in a folder without a window and returns its exit
// status (999: it did not start).
inline DWORD ajaOhjelma(std::wstring komento, const std::wstring& kansio) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, komento.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     kansio.c_str(), &si, &pi) == 0) {
    return 999;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD tila = 0;
  GetExitCodeProcess(pi.hProcess, &tila);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return tila;
}

// A folder of its own under the temporary folder, removed with what is in it.
class TilapainenKansio {
 public:
  explicit TilapainenKansio(const wchar_t* nimi) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    polku = std::wstring(temp) + nimi + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(polku.c_str(), nullptr);
  }
  ~TilapainenKansio() {
    std::wstring kuvio = polku + L"\\*";
    WIN32_FIND_DATAW t{};
    HANDLE h = FindFirstFileW(kuvio.c_str(), &t);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((polku + L"\\" + t.cFileName).c_str());
      } while (FindNextFileW(h, &t) != 0);
      FindClose(h);
    }
    RemoveDirectoryW(polku.c_str());
  }
  TilapainenKansio(const TilapainenKansio&) = delete;
  TilapainenKansio& operator=(const TilapainenKansio&) = delete;
  std::wstring polku;
};

}  // namespace kelvio::testi
