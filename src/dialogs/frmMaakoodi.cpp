#include "frmMaakoodi.h"

#include <cwctype>

#include "ikkunat.h"

namespace kelvio {

std::u16string MaakoodiPeruttu;

std::u16string totuusTekstiksi(bool arvo) {
  return arvo ? u"True" : u"False";
}

bool tekstiTotuudeksi(std::u16string_view teksti) {
  constexpr std::u16string_view TOSI = u"True";
  if (teksti.size() != TOSI.size()) {
    return false;
  }
  for (std::size_t i = 0; i < TOSI.size(); ++i) {
    if (std::towlower(teksti[i]) != std::towlower(TOSI[i])) {
      return false;
    }
  }
  return true;
}

namespace {

constexpr Paikka LISTA{12, 18, 282, 342};
constexpr Paikka VIE{305, 19, 56, 33};
constexpr Paikka PERUUTA{305, 57, 56, 33};

void OnCreate(HWND hwnd) {
  Maakoodi* f = liitaTiedot<Maakoodi>(hwnd);
  const UINT dpi = GetDpiForWindow(hwnd);
  // Tab order: the buttons, then the list.
  // BS_NOTIFY: the focused button takes the default border, so Enter presses it.
  f->cmdVie =
      luoOhjain(hwnd, L"BUTTON", L"&Vie!", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, ID_VIE);
  f->cmdPeruuta = luoOhjain(hwnd, L"BUTTON", L"&Peruuta", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0,
                            ID_PERUUTA);
  f->lstMaakoodi = luoOhjain(hwnd, L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                             WS_EX_CLIENTEDGE, ID_LSTMAAKOODI);
  f->fontti = luoDialogifontti(dpi);
  for (HWND c : {f->cmdVie, f->cmdPeruuta, f->lstMaakoodi}) {
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(f->fontti), FALSE);
  }
  asetaAsiakasalue(hwnd, 373, 391, dpi);
  sijoita(f->lstMaakoodi, LISTA, dpi);
  sijoita(f->cmdVie, VIE, dpi);
  sijoita(f->cmdPeruuta, PERUUTA, dpi);
}

void OnCommand(HWND hwnd, int id, UINT koodi) {
  Maakoodi* f = maakoodi(hwnd);
  if (f == nullptr || (id != ID_VIE && id != ID_PERUUTA)) {
    return;
  }
  if (koodi == BN_SETFOCUS || koodi == BN_KILLFOCUS) {
    SendMessageW(GetDlgItem(hwnd, id), BM_SETSTYLE,
                 koodi == BN_SETFOCUS ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  } else if (koodi == BN_CLICKED && id == ID_VIE) {
    cmdVie_Click(*f);
  } else if (koodi == BN_CLICKED) {
    cmdPeruuta_Click(*f);
  }
}

LRESULT CALLBACK proseduuri(HWND hwnd, UINT viesti, WPARAM wp, LPARAM lp) {
  switch (viesti) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp), HIWORD(wp)); return 0;
    // Neither button is the default: Enter in the list does nothing.
    case DM_GETDEFID: return 0;
    case WM_NCDESTROY: vapautaTiedot<Maakoodi>(hwnd); break;
    default: break;
  }
  return DefWindowProcW(hwnd, viesti, wp, lp);
}

}  // namespace

HWND luoMaakoodi(HWND omistaja) {
  return luoIkkuna(MAAKOODI_LUOKKA, proseduuri, L"Valitse maakoodi", omistaja);
}

void naytaMaakoodi(HWND dialogi, HWND omistaja) {
  if (Maakoodi* f = maakoodi(dialogi)) {
    SetFocus(f->cmdVie);
  }
  naytaModaalisti(dialogi, omistaja);
}

void cmdVie_Click(Maakoodi& f) {
  MaakoodiPeruttu = totuusTekstiksi(false);
  ShowWindow(f.hwnd, SW_HIDE);
}

void cmdPeruuta_Click(Maakoodi& f) {
  MaakoodiPeruttu = totuusTekstiksi(true);
  ShowWindow(f.hwnd, SW_HIDE);
}

}  // namespace kelvio
