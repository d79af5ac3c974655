#pragma once
// The hint window of the panels' buttons: the system's tool tip with a drop
// shadow on NT 5.1 and later. Only the library's own windows use it; the host
// program's hints stay as they are.

#include <windows.h>

namespace gx::hook {

inline constexpr wchar_t kShadowedHintClass[] = L"TShadowedHintWindow";

// Whether a system of this family and version draws hint shadows.
bool HintShadowWanted(bool nt, DWORD major, DWORD minor);

HWND CreateShadowedHintWindow(HINSTANCE module, HWND owner);

}  // namespace gx::hook
