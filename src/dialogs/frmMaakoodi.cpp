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

constexpr int LEVEYS = 373;
constexpr int KORKEUS = 391;

void asettele(Maakoodi& f) {
  kelvio::asettele(f, LEVEYS, KORKEUS,
                   {{f.lstMaakoodi, LISTA}, {f.cmdVie, VIE}, {f.cmdPeruuta, PERUUTA}});
}

void OnCreate(HWND hwnd) {
  Maakoodi* f = liitaTiedot<Maakoodi>(hwnd);
  f->dpi = GetDpiForWindow(hwnd);
  // Tab order: the buttons, then the list.
  // BS_NOTIFY: the focused button takes the default border, so Enter presses it.
  f->cmdVie =
      luoOhjain(hwnd, L"BUTTON", L"&Vie!", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, ID_VIE);
  f->cmdPeruuta = luoOhjain(hwnd, L"BUTTON", L"&Peruuta", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0,
                            ID_PERUUTA);
  f->lstMaakoodi = luoOhjain(hwnd, L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                             WS_EX_CLIENTEDGE, ID_LSTMAAKOODI);
  asettele(*f);
}

// Enter presses the focused button; in the list it does nothing.
LRESULT OnGetDefId(HWND hwnd) {
  Maakoodi* f = maakoodi(hwnd);
  HWND fokus = GetFocus();
  if (f != nullptr && (fokus == f->cmdVie || fokus == f->cmdPeruuta)) {
    return MAKELRESULT(GetDlgCtrlID(fokus), DC_HASDEFID);
  }
  return 0;
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
    case DM_GETDEFID: return OnGetDefId(hwnd);
    case WM_ACTIVATE: OnActivate(hwnd, wp, &Maakoodi::cmdVie); return 0;
    case WM_DPICHANGED: OnDpiChanged(hwnd, wp, lp, asettele); return 0;
    case WM_NCDESTROY: vapautaTiedot<Maakoodi>(hwnd); break;
    default: break;
  }
  return DefWindowProcW(hwnd, viesti, wp, lp);
}

}  // namespace

HWND luoMaakoodi(HWND omistaja) {
  // Without an owner of its own, the program's hidden owner keeps it off the taskbar.
  return luoIkkuna(MAAKOODI_LUOKKA, proseduuri, L"Valitse maakoodi",
                   omistaja != nullptr ? omistaja : ohjelmanOmistaja());
}

void naytaMaakoodi(HWND dialogi, HWND omistaja) {
  if (Maakoodi* f = maakoodi(dialogi)) {
    f->fokus = f->cmdVie;  // each showing starts at "&Vie!"
    SetFocus(f->cmdVie);
  }
  naytaModaalisti(dialogi, omistaja);
}

void cmdVie_Click(Maakoodi& f) {
  MaakoodiPeruttu = totuusTekstiksi(false);
  piilotaModaalinen(f.hwnd);
}

void cmdPeruuta_Click(Maakoodi& f) {
  MaakoodiPeruttu = totuusTekstiksi(true);
  piilotaModaalinen(f.hwnd);
}

}  // namespace kelvio
