// The main window.
#pragma once

#include <string>

#include "ikkunat.h"
#include "laskunluku.h"
#include "tulkinta.h"
#include "tuote.h"

namespace kelvio {

struct Kelviomaro : Ikkuna {
  HWND Label1 = nullptr;
  HWND txtViivakoodi = nullptr;
  HWND cmdTulkitse = nullptr;
  HWND txtTulkinta = nullptr;
  HWND cmdTyhjenna = nullptr;
  Tulkinta tulkinta;        // working values, kept between runs
  int kesken = 0;           // interpretations running (one, or more through the error window)
  bool suljettava = false;  // closed while one ran
  std::wstring lukija;      // the program that reads invoice files; empty: kelvio.exe beside this
  Laskunluku laskut;        // last: stopped before the controls go
};

inline constexpr int ID_TULKITSE = IDOK;  // Enter in the window presses it
inline constexpr int ID_VIIVAKOODI = 101;
inline constexpr int ID_TULKINTA = 102;
inline constexpr int ID_TYHJENNA = 103;
inline constexpr int ID_LABEL1 = 104;

inline constexpr wchar_t KELVIOMARO_LUOKKA[] = L"frmKelviomaro";
inline constexpr wchar_t KELVIOMARO_OTSIKKO[] =
    L"KELVIOMARO - " KELVIO_KUVAUS " - " KELVIO_VALMISTAJA " " KELVIO_VUOSI;

// Creates the main window, owned by omistaja so that it has no taskbar button.
HWND luoKelviomaro(HWND omistaja);
inline Kelviomaro* kelviomaro(HWND hwnd) {
  return tiedot<Kelviomaro>(hwnd);
}

void cmdTulkitse_Click(Kelviomaro& f) noexcept;
void cmdTyhjenna_Click(Kelviomaro& f);

}  // namespace kelvio
