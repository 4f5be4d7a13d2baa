#include "frmPulma.h"

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

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

constexpr int LEVEYS = 480;
constexpr int KORKEUS = 250;

// The window's controls, with the font that its instance data frees.
struct Pulma : Ikkuna {
  HWND lblPulma = nullptr;
  HWND lblurl = nullptr;
  HWND ok = nullptr;
  HWND kopioiNappi = nullptr;
};

void asettele(Pulma& f) {
  kelvio::asettele(f, LEVEYS, KORKEUS,
                   {{f.lblPulma, {12, 12, 456, 110}},
                    {f.lblurl, {12, 130, 456, 60}},
                    {f.ok, {296, 210, 80, 27}},
                    {f.kopioiNappi, {388, 210, 80, 27}}});
}

void OnCreate(HWND hwnd) {
  auto* f = liitaTiedot<Pulma>(hwnd);
  f->dpi = GetDpiForWindow(hwnd);
  f->lblPulma = luoOhjain(hwnd, L"STATIC", L"", SS_NOPREFIX, 0, ID_LBLPULMA);
  // Read-only edit: long query texts wrap and can be selected and copied.
  f->lblurl = luoOhjain(hwnd, L"EDIT", L"", ES_MULTILINE | ES_READONLY | WS_TABSTOP, 0, ID_LBLURL);
  f->ok = luoOhjain(hwnd, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK);
  f->kopioiNappi = luoOhjain(hwnd, L"BUTTON", L"Kopioi", WS_TABSTOP, 0, ID_KOPIOI);
  kuinDialogissa(f->lblurl);
  asettele(*f);
}

void OnCommand(HWND hwnd, int id) {
  if (id == IDOK || id == IDCANCEL) {
    suljeModaalinen(hwnd);
  } else if (id == ID_KOPIOI) {
    kopioi(hwnd);
  }
}

LRESULT CALLBACK proseduuri(HWND hwnd, UINT viesti, WPARAM wp, LPARAM lp) {
  switch (viesti) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp)); return 0;
    case WM_ACTIVATE: OnActivate(hwnd, wp, &Pulma::ok); return 0;
    case WM_DPICHANGED: OnDpiChanged(hwnd, wp, lp, asettele); return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE: suljeModaalinen(hwnd); return 0;
    case WM_NCDESTROY: vapautaTiedot<Pulma>(hwnd); break;
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
  // The window goes however this returns: a text that cannot be made (out of
  // memory) throws on to the handler's trap, and its font goes with it
  // (WM_NCDESTROY).
  const auto tuhoa = [](HWND h) {
    if (IsWindow(h) != 0) {  // not already gone while it was shown
      DestroyWindow(h);
    }
  };
  const std::unique_ptr<std::remove_pointer_t<HWND>, decltype(tuhoa)> vartija(hwnd, tuhoa);
  Pulma* f = tiedot<Pulma>(hwnd);
  if (f == nullptr) {
    return false;
  }
  asetaTeksti(f->lblPulma, std::u16string(virheteksti));
  asetaTeksti(f->lblurl, std::u16string(kysely));
  SetFocus(f->ok);
  naytaModaalisti(hwnd, omistaja);
  return true;
}

}  // namespace kelvio
