#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "lapsiprosessi.h"
#include "ohjelma_windows.h"

namespace kelvio {

namespace {

class Kahva {
 public:
  Kahva() = default;
  explicit Kahva(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  Kahva(const Kahva&) = delete;
  Kahva& operator=(const Kahva&) = delete;
  ~Kahva() { sulje(); }
  void sulje() {
    if (h_ != nullptr) {
      CloseHandle(h_);
      h_ = nullptr;
    }
  }
  HANDLE get() const { return h_; }
  HANDLE* osoite() { return &h_; }

 private:
  HANDLE h_ = nullptr;
};

std::string windowsinVirhe(const char* mika) {
  return std::string(mika) + ": Windowsin virhe " + std::to_string(GetLastError());
}

bool kirjoitaKaikki(HANDLE h, std::string_view s) {
  while (!s.empty()) {
    DWORD n = 0;
    const auto pala = static_cast<DWORD>(std::min<std::size_t>(s.size(), 1U << 20));
    if (WriteFile(h, s.data(), pala, &n, nullptr) == 0 || n == 0) {
      return false;
    }
    s.remove_prefix(n);
  }
  return true;
}

// Until the end or a broken pipe: both end a child's output.
void lueKaikki(HANDLE h, std::string& ulos) {
  char lohko[65536];
  DWORD n = 0;
  while (ReadFile(h, lohko, sizeof lohko, &n, nullptr) != 0 && n > 0) {
    ulos.append(lohko, n);
  }
}

// An exception's status names the crash; an exit status of the child's own
// says only that it failed.
std::string poistumisenSyy(DWORD koodi) {
  char teksti[32] = "";
  if (koodi >= 0xC0000000U) {
    std::snprintf(teksti, sizeof teksti, "poikkeus 0x%08lX", static_cast<unsigned long>(koodi));
  }
  return teksti;
}

}  // namespace

Lapsentulos ajaLapsessa(Lapsentyo /*tyo*/, std::string_view argumentti, const Lapsiraja& raja) {
  Lapsentulos t;
  std::vector<wchar_t> ohjelma(32768);
  const DWORD pituus =
      GetModuleFileNameW(nullptr, ohjelma.data(), static_cast<DWORD>(ohjelma.size()));
  if (pituus == 0 || pituus >= ohjelma.size()) {
    t.kuvaus = windowsinVirhe("ohjelman nimeä ei saa");
    return t;
  }
  // Two pipes, whose child ends alone are inherited, and only by this child:
  // a sibling started meanwhile must not hold them open.
  SECURITY_ATTRIBUTES periytyva{sizeof periytyva, nullptr, TRUE};
  Kahva lapsenSisaan;
  Kahva sisaan;
  Kahva ulos;
  Kahva lapsenUlos;
  if (CreatePipe(lapsenSisaan.osoite(), sisaan.osoite(), &periytyva, 1U << 16) == 0 ||
      CreatePipe(ulos.osoite(), lapsenUlos.osoite(), &periytyva, 1U << 16) == 0 ||
      SetHandleInformation(sisaan.get(), HANDLE_FLAG_INHERIT, 0) == 0 ||
      SetHandleInformation(ulos.get(), HANDLE_FLAG_INHERIT, 0) == 0) {
    t.kuvaus = windowsinVirhe("aliprosessia ei voi käynnistää");
    return t;
  }
  std::wstring rivi = L"\"" + std::wstring(ohjelma.data(), pituus) + L"\" " +
                      std::wstring(LAPSEN_VALITSIN.begin(), LAPSEN_VALITSIN.end());

  // The Job object bounds its memory and CPU time, and ends it when this
  // process ends however it ends: its one handle is this process's.
  Kahva tyo(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION rajat{};
  rajat.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                           JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION |
                                           JOB_OBJECT_LIMIT_PROCESS_TIME;
  rajat.BasicLimitInformation.PerProcessUserTimeLimit.QuadPart =
      static_cast<LONGLONG>(raja.sekunteja) * std::max(1U, raja.ytimia) * 10'000'000LL;
  if (raja.muistia != 0) {
    rajat.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
    rajat.ProcessMemoryLimit = static_cast<SIZE_T>(raja.muistia);
  }
  if (tyo.get() == nullptr || SetInformationJobObject(tyo.get(), JobObjectExtendedLimitInformation,
                                                      &rajat, sizeof rajat) == 0) {
    t.kuvaus = windowsinVirhe("aliprosessin rajoja ei voi asettaa");
    return t;
  }
  PROCESS_INFORMATION p{};
  if (!kaynnistaPerien(std::wstring(ohjelma.data(), pituus), rivi, lapsenSisaan.get(),
                       lapsenUlos.get(), nullptr, CREATE_SUSPENDED | CREATE_NO_WINDOW, p,
                       tyo.get())) {
    t.kuvaus = windowsinVirhe("aliprosessia ei voi käynnistää");
    return t;
  }
  Kahva prosessi(p.hProcess);
  Kahva saie(p.hThread);
  lapsenSisaan.sulje();
  lapsenUlos.sulje();
  // Not a moment outside the job: it was created in it, or else it starts
  // suspended and runs only once put in it.
  BOOL jo = FALSE;
  if (IsProcessInJob(prosessi.get(), tyo.get(), &jo) == 0 ||
      (jo == 0 && AssignProcessToJobObject(tyo.get(), prosessi.get()) == 0)) {
    t.kuvaus = windowsinVirhe("aliprosessia ei voi rajoittaa");
    TerminateProcess(prosessi.get(), 1);
    WaitForSingleObject(prosessi.get(), INFINITE);
    return t;
  }
  ResumeThread(saie.get());
  std::string tavut;
  std::thread lukija([&] { lueKaikki(ulos.get(), tavut); });
  // The child learns its memory limit from the first line, then the argument.
  const bool annettu = kirjoitaKaikki(sisaan.get(), std::to_string(raja.muistia) + "\n") &&
                       kirjoitaKaikki(sisaan.get(), argumentti);
  sisaan.sulje();
  const DWORD odotus =
      WaitForSingleObject(prosessi.get(), static_cast<DWORD>(std::max(0, raja.sekunteja)) * 1000U);
  if (odotus != WAIT_OBJECT_0) {
    TerminateJobObject(tyo.get(), 1);
    WaitForSingleObject(prosessi.get(), INFINITE);
  }
  lukija.join();
  DWORD koodi = 1;
  GetExitCodeProcess(prosessi.get(), &koodi);
  if (odotus != WAIT_OBJECT_0) {
    t.loppu = Lapsenloppu::AikaLoppui;
  } else if (koodi == 0 && annettu) {
    t.loppu = Lapsenloppu::Valmis;
    t.tavut = std::move(tavut);
  } else {
    t.loppu = Lapsenloppu::Kaatui;
    t.kuvaus = poistumisenSyy(koodi);
  }
  return t;
}

int lapsenPaaohjelma(Lapsentyo tyo) {
  // A crash ends the child without a dialog: its parent reports it.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  // An exception nothing handles ends the child at once with its code, for
  // the parent to report: no debugger, no report to send.
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS* poikkeus) -> LONG {
    TerminateProcess(GetCurrentProcess(), poikkeus->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
  });
  std::string syote;
  lueKaikki(GetStdHandle(STD_INPUT_HANDLE), syote);
  const std::size_t rivi = syote.find('\n');
  if (rivi == std::string::npos) {
    return 1;
  }
  const std::uint64_t muistia = std::strtoull(syote.substr(0, rivi).c_str(), nullptr, 10);
  const std::string_view argumentti = std::string_view(syote).substr(rivi + 1);
  HANDLE ulos = GetStdHandle(STD_OUTPUT_HANDLE);
  return tyo(argumentti, muistia, [ulos](std::string_view s) { return kirjoitaKaikki(ulos, s); })
             ? 0
             : 1;
}

void pidaPuskuritKeossa() {}

void esivaraaSuuretSivut() {}

void kekoYhteinenSaikeille() {}

}  // namespace kelvio
