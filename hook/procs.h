#pragma once
// The bodies of the three exported hook procedures.

#include <windows.h>

#include <cstdint>

namespace gx::hook {

// WH_GETMESSAGE: lParam points at the retrieved MSG.
LRESULT OnGetMessage(int code, WPARAM wParam, LPARAM lParam) noexcept;
// WH_CALLWNDPROC: lParam points at the CWPSTRUCT of a sent message.
LRESULT OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
// WH_CALLWNDPROCRET: lParam points at the CWPRETSTRUCT.
LRESULT OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Whether every modifier of the mask (1 Shift, 2 Alt, 4 Ctrl) is held in this
// thread's key state; modifiers outside the mask don't matter.
bool ShiftDown(uint8_t mask) noexcept;

// Presses of the panel key closer together than this count as one.
inline constexpr DWORD kPanelKeyGateMs = 300;

}  // namespace gx::hook
