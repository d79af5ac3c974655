#include "hook/hintshadow.h"

#include <commctrl.h>

#include "common/winutils.h"

namespace gx::hook {

bool HintShadowWanted(bool nt, DWORD major, DWORD minor) { return nt && (major > 5 || (major == 5 && minor >= 1)); }

namespace {

bool SystemWantsShadow() {
  const std::optional<OSVERSIONINFOW> info = SystemVersion();
  return info && HintShadowWanted(info->dwPlatformId == VER_PLATFORM_WIN32_NT, info->dwMajorVersion,
                                  info->dwMinorVersion);
}

// A class of our own built on the system's tool tip, registered once per process.
bool RegisterShadowedHintClass(HINSTANCE module) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(module, kShadowedHintClass, &wc)) return true;
  if (!GetClassInfoExW(nullptr, TOOLTIPS_CLASSW, &wc)) return false;
  wc.cbSize = sizeof wc;
  wc.hInstance = module;
  wc.lpszClassName = kShadowedHintClass;
  if (SystemWantsShadow()) wc.style |= CS_DROPSHADOW;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

HWND CreateShadowedHintWindow(HINSTANCE module, HWND owner) {
  const wchar_t* cls = RegisterShadowedHintClass(module) ? kShadowedHintClass : TOOLTIPS_CLASSW;
  return CreateWindowExW(WS_EX_TOPMOST, cls, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, module, nullptr);
}

}  // namespace gx::hook
