// Starting a program on Windows with its standard handles and only those
// inherited (an attribute list names them): a sibling started meanwhile by
// another thread holds none of them, so each pipe ends when its own child does.
#pragma once

#include <windows.h>

#include <string>

namespace kelvio {

// ohjelma with the command line rivi; sisaan, ulos and virheet are the
// child's standard handles (inheritable ones, or null), liput as
// CreateProcessW takes them. With tyo, the child is in that Job object from
// its first moment, so that no death of this process can leave it outside.
// False with GetLastError set.
bool kaynnistaPerien(const std::wstring& ohjelma, std::wstring rivi, HANDLE sisaan, HANDLE ulos,
                     HANDLE virheet, DWORD liput, PROCESS_INFORMATION& p, HANDLE tyo = nullptr);

}  // namespace kelvio
