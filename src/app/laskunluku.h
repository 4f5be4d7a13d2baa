// Invoice files dropped on the window or opened with Ctrl+O: kelvio.exe
// beside the program reads them (each file in a child of its own, as on the
// command line) in a worker thread, and its text report is appended to the
// output box as it comes, while the window stays responsive. The input box
// is left as it is, so the next scan goes on as before.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace kelvio {

struct Kelviomaro;

inline constexpr UINT WM_LASKUTEKSTI = WM_APP + 1;  // lParam: a std::wstring* to append
inline constexpr UINT WM_LASKUT_LUETTU = WM_APP + 2;
inline constexpr int ID_AVAA = 105;

class Laskunluku {
 public:
  Laskunluku() = default;
  Laskunluku(const Laskunluku&) = delete;
  Laskunluku& operator=(const Laskunluku&) = delete;
  // A reading still running is stopped (its kelvio.exe ended) and waited for.
  ~Laskunluku();

  bool kaynnissa() const { return kaynnissa_; }
  // Starts reading tiedostot with the program lukija; a reading running
  // takes them after its own.
  void lue(HWND ikkuna, const std::wstring& lukija, std::vector<std::wstring> tiedostot);
  // The worker is done (WM_LASKUT_LUETTU): the next files waiting, if any.
  void valmis(HWND ikkuna, const std::wstring& lukija);

 private:
  void aloita(HWND ikkuna, const std::wstring& lukija, std::vector<std::wstring> tiedostot);

  std::thread saie_;
  std::atomic<HANDLE> prosessi_{nullptr};
  std::atomic<bool> lopeta_{false};
  bool kaynnissa_ = false;
  std::vector<std::wstring> jono_;
};

// kelvio.exe in the folder of this program.
std::wstring kelvionPolku();

// One argument of a command line as CommandLineToArgvW and the C runtime
// read it back: quoted, with the backslashes before a quote doubled.
std::wstring komentorivilla(const std::wstring& argumentti);

// Ctrl+O, in whichever control of the main window has the focus: opens the
// file dialog there. For the message loop, before IsDialogMessage; true
// when the message was that.
bool avaaCtrlO(const MSG& msg);

void OnDropFiles(Kelviomaro& f, HDROP pudotus);
void avaaLasku(Kelviomaro& f);  // the system's file dialog, "Avaa lasku"
void OnLaskuteksti(Kelviomaro& f, const std::wstring& teksti);

}  // namespace kelvio
