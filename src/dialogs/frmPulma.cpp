#include "frmPulma.h"

#include <cstring>
#include <string>

#include "ikkunat.h"
#include "tuote.h"

namespace kelvio {

namespace {

void kopioi(HWND hwnd) {
  const std::u16string teksti =
      lueTeksti(GetDlgItem(hwnd, ID_LBLPULMA)) + u"\r\n" + lueTeksti(GetDlgItem(hwnd, ID_LBLURL));
  if (OpenClipboard(hwnd) == 0) {
    return;
  }
  EmptyClipboard();
  const std::size_t koko = (teksti.size() + 1) * sizeof(char16_t);
  if (HGLOBAL muisti = GlobalAlloc(GMEM_MOVEABLE, koko)) {
    std::memcpy(GlobalLock(muisti), teksti.c_str(), koko);
    GlobalUnlock(muisti);
    if (SetClipboardData(CF_UNICODETEXT, muisti) == nullptr) {
      GlobalFree(muisti);
    }
  }
  CloseClipboard();
}

LRESULT CALLBACK proseduuri(HWND hwnd, UINT viesti, WPARAM wp, LPARAM lp) {
  switch (viesti) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        suljeModaalinen(hwnd);
      } else if (LOWORD(wp) == ID_KOPIOI) {
        kopioi(hwnd);
      }
      return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE: suljeModaalinen(hwnd); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, viesti, wp, lp);
}

}  // namespace

bool naytaPulma(HWND omistaja, std::u16string_view virheteksti, std::u16string_view kysely) {
  HWND hwnd = luoIkkuna(PULMA_LUOKKA, proseduuri, L"" KELVIO_NIMI " - pulma", omistaja);
  if (hwnd == nullptr) {
    return false;
  }
  const UINT dpi = GetDpiForWindow(hwnd);
  HFONT fontti = luoDialogifontti(dpi);
  // The window and its font go however this returns: a text that cannot be
  // made (out of memory) throws on to the handler's trap, and leaks nothing.
  struct Siivous {
    HWND hwnd;
    HFONT fontti;
    Siivous(HWND h, HFONT f) : hwnd(h), fontti(f) {}
    Siivous(const Siivous&) = delete;
    Siivous& operator=(const Siivous&) = delete;
    ~Siivous() {
      if (IsWindow(hwnd) != 0) {
        DestroyWindow(hwnd);
      }
      if (fontti != nullptr) {
        DeleteObject(fontti);
      }
    }
  } siivous(hwnd, fontti);
  HWND lblPulma = luoOhjain(hwnd, L"STATIC", L"", SS_NOPREFIX, 0, ID_LBLPULMA);
  // Read-only edit: long query texts wrap and can be selected and copied.
  HWND lblurl =
      luoOhjain(hwnd, L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_TABSTOP, 0, ID_LBLURL);
  HWND ok = luoOhjain(hwnd, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK);
  HWND kopioiNappi = luoOhjain(hwnd, L"BUTTON", L"Kopioi", WS_TABSTOP, 0, ID_KOPIOI);
  kuinDialogissa(lblurl);
  asetaTeksti(lblPulma, std::u16string(virheteksti));
  asetaTeksti(lblurl, std::u16string(kysely));
  asetaAsiakasalue(hwnd, 480, 250, dpi);
  sijoita(lblPulma, {12, 12, 456, 110}, dpi);
  sijoita(lblurl, {12, 130, 456, 60}, dpi);
  sijoita(ok, {296, 210, 80, 27}, dpi);
  sijoita(kopioiNappi, {388, 210, 80, 27}, dpi);
  for (HWND c : {lblPulma, lblurl, ok, kopioiNappi}) {
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(fontti), FALSE);
  }
  SetFocus(ok);
  naytaModaalisti(hwnd, omistaja);
  return true;
}

}  // namespace kelvio
