#pragma once
// The bodies of the three exported hook procedures.

#include <windows.h>

namespace gx::hook {

// WH_GETMESSAGE: lParam points at the retrieved MSG.
LRESULT OnGetMessage(int code, WPARAM wParam, LPARAM lParam) noexcept;
// WH_CALLWNDPROC: lParam points at the CWPSTRUCT of a sent message.
LRESULT OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
// WH_CALLWNDPROCRET: lParam points at the CWPRETSTRUCT.
LRESULT OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace gx::hook
