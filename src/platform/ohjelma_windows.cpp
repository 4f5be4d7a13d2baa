#include "ohjelma_windows.h"

#include <algorithm>
#include <vector>

namespace kelvio {

bool kaynnistaPerien(const std::wstring& ohjelma, std::wstring rivi, HANDLE sisaan, HANDLE ulos,
                     HANDLE virheet, DWORD liput, PROCESS_INFORMATION& p, HANDLE tyo) {
  std::vector<HANDLE> periytyvat;
  for (HANDLE h : {sisaan, ulos, virheet}) {
    if (h != nullptr && std::find(periytyvat.begin(), periytyvat.end(), h) == periytyvat.end()) {
      periytyvat.push_back(h);
    }
  }
  const DWORD maara = tyo != nullptr ? 2 : 1;
  SIZE_T koko = 0;
  InitializeProcThreadAttributeList(nullptr, maara, 0, &koko);
  std::vector<char> lista(koko);
  auto* attribuutit = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(lista.data());
  if (InitializeProcThreadAttributeList(attribuutit, maara, 0, &koko) == 0) {
    return false;
  }
  // A system without the job list (before Windows 10) starts it outside:
  // the caller puts it in then, before it runs.
  if (tyo != nullptr) {
    UpdateProcThreadAttribute(attribuutit, 0, PROC_THREAD_ATTRIBUTE_JOB_LIST, &tyo, sizeof tyo,
                              nullptr, nullptr);
  }
  if (UpdateProcThreadAttribute(attribuutit, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                periytyvat.data(), periytyvat.size() * sizeof(HANDLE), nullptr,
                                nullptr) == 0) {
    DeleteProcThreadAttributeList(attribuutit);
    return false;
  }
  STARTUPINFOEXW alku{};
  alku.StartupInfo.cb = sizeof alku;
  alku.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  alku.StartupInfo.hStdInput = sisaan;
  alku.StartupInfo.hStdOutput = ulos;
  alku.StartupInfo.hStdError = virheet;
  alku.lpAttributeList = attribuutit;
  const BOOL alkoi =
      CreateProcessW(ohjelma.c_str(), rivi.data(), nullptr, nullptr, TRUE,
                     liput | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr, &alku.StartupInfo, &p);
  const DWORD virhe = GetLastError();
  DeleteProcThreadAttributeList(attribuutit);
  SetLastError(virhe);
  return alkoi != 0;
}

}  // namespace kelvio
