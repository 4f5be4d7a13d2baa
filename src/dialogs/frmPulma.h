// The error window: the error text and the search query text.
#pragma once

#include <windows.h>

#include <string_view>

namespace kelvio {

inline constexpr wchar_t PULMA_LUOKKA[] = L"frmPulma";
inline constexpr int ID_LBLPULMA = 201;
inline constexpr int ID_LBLURL = 202;
inline constexpr int ID_KOPIOI = 203;

// Shows the window modally over omistaja; false when it cannot be created.
bool naytaPulma(HWND omistaja, std::u16string_view virheteksti, std::u16string_view kysely);

}  // namespace kelvio
