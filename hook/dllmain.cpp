// GantrixHook.dll: the load notification and the three exported hook procedures.
#include <windows.h>

#include "hook/lifetime.h"
#include "hook/procs.h"

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) gx::hook::OnProcessAttach(instance);
  else if (reason == DLL_PROCESS_DETACH) gx::hook::OnProcessDetach();
  return TRUE;  // the load never fails
}

LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return gx::hook::OnGetMessage(code, wParam, lParam);
}

LRESULT CALLBACK CallWNDProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return gx::hook::OnCallWndProc(code, wParam, lParam);
}

LRESULT CALLBACK CallWNDProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return gx::hook::OnCallWndProcRet(code, wParam, lParam);
}

}  // extern "C"
