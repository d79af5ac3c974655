// Three hook procedures that only call the next hook: the yardstick for the
// cost of Gantrix's own hooks.
#include <windows.h>

extern "C" {

LRESULT CALLBACK GetMessageProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWNDProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CallWNDProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"
