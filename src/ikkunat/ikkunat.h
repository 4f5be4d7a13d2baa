// Small helpers shared by the windows: DPI scaling, the dialog font, text.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

namespace kelvio {

// A rectangle in pixels at 96 DPI.
struct Paikka {
  int vasen, yla, leveys, korkeus;
};

inline int skaalaa(int px, UINT dpi) {
  return MulDiv(px, static_cast<int>(dpi), 96);
}

// The platform's default dialog font at the given DPI.
HFONT luoDialogifontti(UINT dpi);

// A top-level window with a dialog frame, the system menu and the close
// button only; its class (dialog background, arrow pointer) is registered on
// first use.
HWND luoIkkuna(const wchar_t* luokka, WNDPROC proseduuri, const wchar_t* otsikko, HWND omistaja,
               HICON ikoni = nullptr);

// What the instance data of every window holds.
struct Ikkuna {
  HWND hwnd = nullptr;
  HFONT fontti = nullptr;  // the dialog font at the window's DPI
  UINT dpi = 96;
  HWND fokus = nullptr;  // the control that had the focus when the window was deactivated
};

// Sizes the window's client area and places its controls at the window's
// DPI, and gives them a dialog font of that DPI, freeing the one it had;
// each window calls it from OnCreate and, through OnDpiChanged, on
// WM_DPICHANGED.
struct Sijoitus {
  HWND ohjain;
  Paikka paikka;
};
void asettele(Ikkuna& ikkuna, int leveys, int korkeus, std::initializer_list<Sijoitus> ohjaimet);

// WM_DPICHANGED: the window moves where the system suggests and is laid out anew.
void siirraEhdotukseen(Ikkuna& ikkuna, UINT dpi, const RECT* ehdotus);

// WM_ACTIVATE as a dialog box handles it: the focused control is saved when
// the window is deactivated and has the focus again when the window is
// activated (oletus when none was saved); a text box keeps its selection.
void OnActivate(Ikkuna& ikkuna, WPARAM wp, HWND oletus);

// The program's hidden owner window: a top-level window owned by it has no
// taskbar button of its own.
HWND ohjelmanOmistaja();

// A multi-line text box in a window that works as a dialog: Tab and
// Shift+Tab leave it (Wine's would take them), and Esc does nothing in it (a
// multi-line edit would close its parent).
void kuinDialogissa(HWND monirivinen);

// The instance data of a window, a T derived from Ikkuna: attached in
// WM_CREATE, freed in WM_NCDESTROY.
template <class T>
T* tiedot(HWND hwnd) {
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
template <class T>
T* liitaTiedot(HWND hwnd) {
  auto* t = new T;
  t->hwnd = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
  return t;
}
template <class T>
void vapautaTiedot(HWND hwnd) {
  T* t = tiedot<T>(hwnd);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (t != nullptr && t->fontti != nullptr) {
    DeleteObject(t->fontti);
  }
  delete t;
}

// The handlers that every window of instance data T shares: WM_ACTIVATE with
// the control that has the focus first, WM_DPICHANGED with its layout.
template <class T>
void OnActivate(HWND hwnd, WPARAM wp, HWND T::*oletus) {
  if (T* t = tiedot<T>(hwnd)) {
    OnActivate(*t, wp, t->*oletus);
  }
}
template <class T>
void OnDpiChanged(HWND hwnd, WPARAM wp, LPARAM lp, void (*asettele)(T&)) {
  if (T* t = tiedot<T>(hwnd)) {
    siirraEhdotukseen(*t, HIWORD(wp), reinterpret_cast<const RECT*>(lp));
    asettele(*t);
  }
}

HWND luoOhjain(HWND vanhempi, const wchar_t* luokka, const wchar_t* teksti, DWORD tyyli,
               DWORD laajaTyyli, int tunnus);
void sijoita(HWND ohjain, const Paikka& p, UINT dpi);
// A window of fixed size whose client area is the given size at 96 DPI.
void asetaAsiakasalue(HWND ikkuna, int leveys, int korkeus, UINT dpi);

std::u16string lueTeksti(HWND ohjain);
void asetaTeksti(HWND ohjain, const std::u16string& teksti);

// Shows the window modally over its owner and returns when it is hidden or
// destroyed; the owner takes no input meanwhile.
void naytaModaalisti(HWND ikkuna, HWND omistaja);
// Ends a modal window: its owner is enabled first, so that the owner, not
// some other program, becomes the active window. Hidden or destroyed.
void piilotaModaalinen(HWND ikkuna);
void suljeModaalinen(HWND ikkuna);

}  // namespace kelvio
