// Small helpers shared by the windows: DPI scaling, the dialog font, text.
#pragma once

#include <windows.h>

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

// Registers a window class with the dialog background and the arrow pointer.
void rekisteroiLuokka(const wchar_t* nimi, WNDPROC proseduuri, HICON ikoni = nullptr);

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

}  // namespace kelvio
