#include "frmKelviomaro.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "alusta.h"
#include "ikkunat.h"
#include "resurssit.h"
#include "virhe.h"

namespace kelvio {

namespace {

// The layout at 96 DPI (15 twips to a pixel).
constexpr int LEVEYS = 635;
constexpr int KORKEUS = 400;
constexpr Paikka LABEL1{22, 19, 431, 19};
constexpr Paikka VIIVAKOODI{23, 46, 496, 24};
constexpr Paikka TULKITSE{527, 44, 80, 27};
constexpr Paikka TULKINTA{26, 91, 579, 245};
constexpr Paikka TYHJENNA{27, 351, 85, 29};

void asettele(Kelviomaro& f) {
  kelvio::asettele(f, LEVEYS, KORKEUS,
                   {{f.Label1, LABEL1},
                    {f.txtViivakoodi, VIIVAKOODI},
                    {f.cmdTulkitse, TULKITSE},
                    {f.txtTulkinta, TULKINTA},
                    {f.cmdTyhjenna, TYHJENNA}});
}

bool OnCreate(HWND hwnd) {
  Kelviomaro* f = liitaTiedot<Kelviomaro>(hwnd);
  f->dpi = GetDpiForWindow(hwnd);
  // Created in tab order; the label right before the box it names.
  f->Label1 =
      luoOhjain(hwnd, L"STATIC", L"Lue pankkiviivakoodi ja paina enter", SS_NOPREFIX, 0, ID_LABEL1);
  f->txtViivakoodi =
      luoOhjain(hwnd, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ID_VIIVAKOODI);
  SendMessageW(f->txtViivakoodi, EM_SETLIMITTEXT, 0, 0);
  f->cmdTulkitse =
      luoOhjain(hwnd, L"BUTTON", L"Tulkitse!", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, ID_TULKITSE);
  f->txtTulkinta = luoOhjain(hwnd, L"EDIT", L"", WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL,
                             WS_EX_CLIENTEDGE, ID_TULKINTA);
  SendMessageW(f->txtTulkinta, EM_SETLIMITTEXT, 0, 0);
  kuinDialogissa(f->txtTulkinta);
  // BS_NOTIFY: the default border follows the focus, as a dialog's does.
  f->cmdTyhjenna = luoOhjain(hwnd, L"BUTTON", L"Tyhjennä!", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY,
                             0, ID_TYHJENNA);
  asettele(*f);
  // Invoice files dropped on it are read (laskunluku.h).
  DragAcceptFiles(hwnd, TRUE);
  return true;
}

// While "Tyhjennä!" has the focus it is the default button, so Enter presses it.
void OnTyhjennaFokus(Kelviomaro& f, bool saa) {
  SendMessageW(f.cmdTulkitse, BM_SETSTYLE, saa ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
  SendMessageW(f.cmdTyhjenna, BM_SETSTYLE, saa ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

LRESULT OnGetDefId(HWND hwnd) {
  Kelviomaro* f = kelviomaro(hwnd);
  const bool tyhjenna = f != nullptr && GetFocus() == f->cmdTyhjenna;
  return MAKELRESULT(tyhjenna ? ID_TYHJENNA : ID_TULKITSE, DC_HASDEFID);
}

void OnCommand(HWND hwnd, int id, UINT koodi) {
  Kelviomaro* f = kelviomaro(hwnd);
  if (f == nullptr) {
    return;
  }
  if (id == ID_TYHJENNA && (koodi == BN_SETFOCUS || koodi == BN_KILLFOCUS)) {
    OnTyhjennaFokus(*f, koodi == BN_SETFOCUS);
    return;
  }
  if (id == ID_AVAA) {
    avaaLasku(*f);
    return;
  }
  if (koodi != BN_CLICKED) {
    return;
  }
  if (id == ID_TULKITSE) {
    // The window stays while the interpretation runs, also through the
    // error window's message loop; a close asked meanwhile comes after it.
    ++f->kesken;
    cmdTulkitse_Click(*f);
    --f->kesken;
    if (f->kesken == 0 && f->suljettava) {
      DestroyWindow(hwnd);
    }
  } else if (id == ID_TYHJENNA) {
    cmdTyhjenna_Click(*f);
  }
}

// Asks each window that hwnd owns (the error window, a message box) to close.
BOOL CALLBACK suljeOmistettu(HWND ikkuna, LPARAM omistaja) {
  if (GetWindow(ikkuna, GW_OWNER) == reinterpret_cast<HWND>(omistaja)) {
    PostMessageW(ikkuna, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

void OnClose(HWND hwnd) {
  Kelviomaro* f = kelviomaro(hwnd);
  if (f != nullptr && f->kesken > 0) {
    // Closed while the error window is open: that closes first, the
    // interpretation ends, and then the window goes (OnCommand).
    f->suljettava = true;
    EnumThreadWindows(GetCurrentThreadId(), suljeOmistettu, reinterpret_cast<LPARAM>(hwnd));
    return;
  }
  DestroyWindow(hwnd);
}

void OnLaskut(HWND hwnd, UINT viesti, WPARAM wp, LPARAM lp) {
  // The text is this window's to free, whatever else happens.
  const std::unique_ptr<std::wstring> teksti(
      viesti == WM_LASKUTEKSTI ? reinterpret_cast<std::wstring*>(lp) : nullptr);
  Kelviomaro* f = kelviomaro(hwnd);
  if (f == nullptr) {
    if (viesti == WM_DROPFILES) {
      DragFinish(reinterpret_cast<HDROP>(wp));
    }
    return;
  }
  if (viesti == WM_LASKUTEKSTI) {
    OnLaskuteksti(*f, *teksti);
    return;
  }
  if (viesti == WM_DROPFILES) {
    OnDropFiles(*f, reinterpret_cast<HDROP>(wp));
  } else {
    f->laskut.valmis(hwnd, f->lukija.empty() ? kelvionPolku() : f->lukija);
  }
  // The pointer shows at once whether a reading runs, where it is over the window.
  POINT p{};
  GetCursorPos(&p);
  HWND alla = WindowFromPoint(p);
  if (alla != nullptr && GetAncestor(alla, GA_ROOT) == hwnd) {
    SendMessageW(alla, WM_SETCURSOR, reinterpret_cast<WPARAM>(alla),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

// While files are read, the pointer over the window says that work goes on
// in the background; the window answers as before.
bool OnSetCursor(HWND hwnd, LPARAM lp) {
  const Kelviomaro* f = kelviomaro(hwnd);
  if (f == nullptr || !f->laskut.kaynnissa() || LOWORD(lp) != HTCLIENT) {
    return false;
  }
  SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
  return true;
}

void OnNcDestroy(HWND hwnd) {
  vapautaTiedot<Kelviomaro>(hwnd);
}

LRESULT CALLBACK ikkunaproseduuri(HWND hwnd, UINT viesti, WPARAM wp, LPARAM lp) {
  switch (viesti) {
    case WM_CREATE: return OnCreate(hwnd) ? 0 : -1;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp), HIWORD(wp)); return 0;
    case DM_GETDEFID: return OnGetDefId(hwnd);
    case WM_ACTIVATE: OnActivate(hwnd, wp, &Kelviomaro::txtViivakoodi); return 0;
    case WM_CLOSE: OnClose(hwnd); return 0;
    case WM_DPICHANGED: OnDpiChanged(hwnd, wp, lp, asettele); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY: OnNcDestroy(hwnd); break;
    case WM_DROPFILES:
    case WM_LASKUTEKSTI:
    case WM_LASKUT_LUETTU: OnLaskut(hwnd, viesti, wp, lp); return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(hwnd, lp)) {
        return TRUE;
      }
      break;
    default: break;
  }
  return DefWindowProcW(hwnd, viesti, wp, lp);
}

}  // namespace

HWND luoKelviomaro(HWND omistaja) {
  return luoIkkuna(KELVIOMARO_LUOKKA, ikkunaproseduuri, KELVIOMARO_OTSIKKO, omistaja,
                   LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KELVIOMARO)));
}

void cmdTyhjenna_Click(Kelviomaro& f) {
  SetWindowTextW(f.txtViivakoodi, L"");
  SetWindowTextW(f.txtTulkinta, L"");
  SetFocus(f.txtViivakoodi);
}

}  // namespace kelvio
