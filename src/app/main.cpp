#include <windows.h>

#include <commctrl.h>

#include "frmKelviomaro.h"
#include "ikkuna_alusta.h"
#include "ikkunat.h"
#include "laskunluku.h"

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): Finnish names
int WINAPI wWinMain(HINSTANCE /*instanssi*/, HINSTANCE /*edellinen*/, PWSTR /*komentorivi*/,
                    int naytto) {
  // No DLL planted beside the program is loaded.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  INITCOMMONCONTROLSEX cc{sizeof cc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&cc);

  kelvio::IkkunaAlusta alusta;
  kelvio::asetaAlusta(&alusta);

  // The hidden owner keeps the main window off the taskbar.
  HWND hwnd = kelvio::luoKelviomaro(kelvio::ohjelmanOmistaja());
  if (hwnd == nullptr) {
    return 1;
  }
  alusta.paaikkuna = hwnd;
  ShowWindow(hwnd, naytto);
  SetFocus(kelvio::kelviomaro(hwnd)->txtViivakoodi);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (kelvio::avaaCtrlO(msg)) {
      continue;
    }
    if (IsDialogMessageW(GetAncestor(msg.hwnd, GA_ROOT), &msg) == 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DestroyWindow(kelvio::ohjelmanOmistaja());
  kelvio::asetaAlusta(nullptr);
  return static_cast<int>(msg.wParam);
}
