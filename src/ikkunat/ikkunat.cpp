#include "ikkunat.h"

#include "ajovirhe.h"

namespace kelvio {

HFONT luoDialogifontti(UINT dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, dpi) != 0) {
    return CreateFontIndirectW(&m.lfMessageFont);
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HWND luoIkkuna(const wchar_t* luokka, WNDPROC proseduuri, const wchar_t* otsikko, HWND omistaja,
               HICON ikoni) {
  HINSTANCE h = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(h, luokka, &wc) == 0) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proseduuri;
    wc.hInstance = h;
    wc.hIcon = ikoni;
    wc.hIconSm = ikoni;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = luokka;
    RegisterClassExW(&wc);
  }
  return CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, luokka, otsikko,
                         WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                         100, 100, omistaja, nullptr, h, nullptr);
}

HWND luoOhjain(HWND vanhempi, const wchar_t* luokka, const wchar_t* teksti, DWORD tyyli,
               DWORD laajaTyyli, int tunnus) {
  return CreateWindowExW(laajaTyyli, luokka, teksti, WS_CHILD | WS_VISIBLE | tyyli, 0, 0, 0, 0,
                         vanhempi, reinterpret_cast<HMENU>(static_cast<INT_PTR>(tunnus)),
                         GetModuleHandleW(nullptr), nullptr);
}

void sijoita(HWND ohjain, const Paikka& p, UINT dpi) {
  SetWindowPos(ohjain, nullptr, skaalaa(p.vasen, dpi), skaalaa(p.yla, dpi), skaalaa(p.leveys, dpi),
               skaalaa(p.korkeus, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void asetaAsiakasalue(HWND ikkuna, int leveys, int korkeus, UINT dpi) {
  const int w = skaalaa(leveys, dpi);
  const int h = skaalaa(korkeus, dpi);
  RECT r{0, 0, w, h};
  const auto tyyli = static_cast<DWORD>(GetWindowLongPtrW(ikkuna, GWL_STYLE));
  const auto laaja = static_cast<DWORD>(GetWindowLongPtrW(ikkuna, GWL_EXSTYLE));
  AdjustWindowRectExForDpi(&r, tyyli, FALSE, laaja, dpi);
  SetWindowPos(ikkuna, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The frame actually drawn may differ from the computed one (menus that
  // wrap, a frame not yet rescaled): correct by what the client area came to.
  RECT asiakas;
  RECT ikkunaAlue;
  GetClientRect(ikkuna, &asiakas);
  GetWindowRect(ikkuna, &ikkunaAlue);
  if (asiakas.right != w || asiakas.bottom != h) {
    SetWindowPos(ikkuna, nullptr, 0, 0, ikkunaAlue.right - ikkunaAlue.left + w - asiakas.right,
                 ikkunaAlue.bottom - ikkunaAlue.top + h - asiakas.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::u16string lueTeksti(HWND ohjain) {
  const int pituus = GetWindowTextLengthW(ohjain);
  std::u16string teksti(static_cast<std::size_t>(pituus) + 1, u'\0');
  const int n = GetWindowTextW(ohjain, reinterpret_cast<wchar_t*>(teksti.data()), pituus + 1);
  teksti.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return teksti;
}

void asetaTeksti(HWND ohjain, const std::u16string& teksti) {
  if (SetWindowTextW(ohjain, reinterpret_cast<const wchar_t*>(teksti.c_str())) == 0) {
    nosta(VIRHE_MUISTI);
  }
}

void naytaModaalisti(HWND ikkuna, HWND omistaja) {
  if (omistaja != nullptr) {
    EnableWindow(omistaja, FALSE);
  }
  ShowWindow(ikkuna, SW_SHOW);
  MSG msg;
  bool lopeta = false;
  while (IsWindow(ikkuna) != 0 && IsWindowVisible(ikkuna) != 0) {
    const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      lopeta = r == 0;
      break;
    }
    if (IsDialogMessageW(ikkuna, &msg) == 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (omistaja != nullptr) {
    EnableWindow(omistaja, TRUE);
    SetActiveWindow(omistaja);
  }
  if (lopeta) {
    PostQuitMessage(static_cast<int>(msg.wParam));
  }
}

}  // namespace kelvio

namespace kelvio {

void asettele(Ikkuna& ikkuna, int leveys, int korkeus, std::initializer_list<Sijoitus> ohjaimet) {
  asetaAsiakasalue(ikkuna.hwnd, leveys, korkeus, ikkuna.dpi);
  HFONT uusi = luoDialogifontti(ikkuna.dpi);
  for (const Sijoitus& s : ohjaimet) {
    sijoita(s.ohjain, s.paikka, ikkuna.dpi);
    SendMessageW(s.ohjain, WM_SETFONT, reinterpret_cast<WPARAM>(uusi), TRUE);
  }
  if (ikkuna.fontti != nullptr) {
    DeleteObject(ikkuna.fontti);
  }
  ikkuna.fontti = uusi;
}

void siirraEhdotukseen(Ikkuna& ikkuna, UINT dpi, const RECT* ehdotus) {
  ikkuna.dpi = dpi;
  if (ehdotus == nullptr) {  // a WM_DPICHANGED that another program sent
    return;
  }
  SetWindowPos(ikkuna.hwnd, nullptr, ehdotus->left, ehdotus->top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnActivate(Ikkuna& ikkuna, WPARAM wp, HWND oletus) {
  if (LOWORD(wp) == WA_INACTIVE) {
    HWND fokus = GetFocus();
    if (fokus != nullptr && IsChild(ikkuna.hwnd, fokus) != 0) {
      ikkuna.fokus = fokus;
    }
    return;
  }
  if (HIWORD(wp) != 0) {
    return;  // minimised
  }
  HWND kohde = ikkuna.fokus != nullptr && IsWindow(ikkuna.fokus) != 0 ? ikkuna.fokus : oletus;
  if (kohde != nullptr) {
    SetFocus(kohde);
  }
}

HWND ohjelmanOmistaja() {
  static HWND omistaja = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         GetModuleHandleW(nullptr), nullptr);
  return omistaja;
}

namespace {

LRESULT CALLBACK dialoginRuutu(HWND h, UINT viesti, WPARAM wp, LPARAM lp, UINT_PTR /*tunnus*/,
                               DWORD_PTR /*tieto*/) {
  switch (viesti) {
    case WM_GETDLGCODE:
      if (wp == VK_TAB || wp == VK_ESCAPE) {
        return DefSubclassProc(h, viesti, wp, lp) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      }
      break;
    case WM_KEYDOWN:
    case WM_CHAR:
      if (wp == VK_ESCAPE) {
        return 0;
      }
      break;
    default: break;
  }
  return DefSubclassProc(h, viesti, wp, lp);
}

}  // namespace

void kuinDialogissa(HWND monirivinen) {
  SetWindowSubclass(monirivinen, dialoginRuutu, 0, 0);
}

void piilotaModaalinen(HWND ikkuna) {
  if (HWND omistaja = GetWindow(ikkuna, GW_OWNER)) {
    EnableWindow(omistaja, TRUE);
  }
  ShowWindow(ikkuna, SW_HIDE);
}

void suljeModaalinen(HWND ikkuna) {
  if (HWND omistaja = GetWindow(ikkuna, GW_OWNER)) {
    EnableWindow(omistaja, TRUE);
  }
  DestroyWindow(ikkuna);
}

}  // namespace kelvio
