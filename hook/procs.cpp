#include "hook/procs.h"

#include <cwchar>
#include <string>

#include "common/handle.h"
#include "common/hookdata.h"
#include "common/profile.h"
#include "common/profile_files.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/unicode.h"
#include "common/winutils.h"
#include "hook/contain.h"
#include "hook/gantrixform.h"
#include "hook/panels.h"
#include "hook/state.h"
#include "hook/ravelo.h"

namespace gx::hook {
namespace {

// Each step is reached only for its own message, so the common path stays a
// few compares and the call of the next hook.

DWORD g_lastPanelKeyTick = 0;

HWND HostOf(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }

// "WM_OpenMayWindowGANTRIX": open the host window's panel, if it still has
// none and can be seen. The request is ours alone, so the host never gets it.
void OpenRequestedPanel(MSG& msg) noexcept {
  HWND host = HostOf(msg.hwnd);
  if (host && IsWindowVisible(host) && !PanelOf(host)) OpenPanel(host);
  msg.message = WM_NULL;
}

// What the panel key does in a visible host window; true when it is swallowed.
bool PanelKeyIn(HWND host) noexcept {
  wchar_t name[200] = {};
  // A window whose class can't be read is neither a panel nor a host we know.
  if (GetClassNameW(host, name, 200) <= 0) return false;
  if (name[0] == L'#') return true;  // a system window such as a dialog box: no panel
  if (std::wcscmp(name, TGantrixForm::ClassName()) == 0) HidePanelWindow(host);
  else FlipPanel(host);
  return true;
}

// WM_KEYDOWN of the panel key: the combination shows or hides the panel.
// `modifiersHeld`: the panel combination's modifiers as they were when the key
// arrived, before a recalled menu ran its own loop and saw them released.
void HandlePanelKey(MSG& msg, bool modifiersHeld) noexcept {
  // Unsigned, so that the wrap of the tick count after 49 days changes nothing.
  if (static_cast<DWORD>(GetTickCount() - g_lastPanelKeyTick) <= kPanelKeyGateMs) return;
  HWND host = HostOf(msg.hwnd);
  if (!host || !IsWindowVisible(host)) return;
  if (modifiersHeld && PanelKeyIn(host)) msg.message = WM_NULL;
  g_lastPanelKeyTick = GetTickCount();
}

// WM_WINDOWPOSCHANGED: panels follow their host window out of and into view.
void FollowHostWindow(const CWPSTRUCT& cwp) noexcept {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(cwp.lParam);
  if (!pos || !cwp.hwnd) return;
  if ((pos->flags & SWP_HIDEWINDOW) && !(pos->flags & SWP_SHOWWINDOW)) HideWithHost(cwp.hwnd);
  else if (pos->flags & SWP_SHOWWINDOW) ShowWithHost(cwp.hwnd);
}

// Only whether the first line is exactly "0" matters, so only the start of
// the file is read. A file that can't be opened (locked, say) opens nothing.
bool ProfileSaysOpen(const std::string& path) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  char start[2] = {};
  DWORD read = 0;
  if (!ReadFile(file.get(), start, sizeof start, &read, nullptr)) return false;
  const std::string bytes(start, read);
  return ReadAutoOpen(bytes.substr(0, bytes.find_first_of("\r\n")));
}

// WM_SHOWWINDOW, WM_ACTIVATEAPP: ask for the panel of a window without one
// whose profile says it was open when last saved. The message hook opens it
// later, outside the sent message.
void RequestPanelReopen(const CWPRETSTRUCT& ret) noexcept {
  HWND host = HostOf(ret.hwnd);
  if (!host || PanelOf(host) || IsPanelWindow(host)) return;
  Contained([&] {
    const std::string dir = SettingText(kValProfilesPath);
    const ProfileChoice choice = FindProfile(dir, ProfileNameOf(host));
    if (choice.text && ProfileSaysOpen(dir + *choice.text + kProfileTextExt))
      PostMessageW(host, RegisteredMessages().OpenWindow, 0, 0);
  });
}

}  // namespace

bool ShiftDown(uint8_t mask) noexcept {
  auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  return (!(mask & kMaskShift) || held(VK_SHIFT)) && (!(mask & kMaskAlt) || held(VK_MENU)) &&
         (!(mask & kMaskCtrl) || held(VK_CONTROL));
}

LRESULT OnGetMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // A message only peeked at stays in the queue and comes here again when it
  // is removed; acting on both would open a panel and then let the key through.
  if (code == HC_ACTION && (wParam & PM_REMOVE) && lParam) {
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    if (msg.message >= kFirstRegisteredMessage) {
      const Messages m = RegisteredMessages();
      if (msg.message == m.Update) RefreshKeySettings();
      else if (msg.message == m.UpdateWindow) ReloadPanels();
      else if (msg.message == m.OpenWindow) OpenRequestedPanel(msg);
    } else if (msg.message == WM_COMMAND) {
      RecordRaveloCommand(msg);
    } else if (msg.message == WM_KEYDOWN) {
      // The recall first. The panel key's modifiers are read as the key
      // arrives, so it still flips the panel after a recalled menu (whose
      // loop sees them released) has closed.
      const KeySettings keys = CurrentKeys();
      const bool panelKey = keys.PanelKey != 0 && msg.wParam == static_cast<WPARAM>(keys.PanelKey);
      const bool panelModifiers = panelKey && ShiftDown(keys.PanelShift);
      RecallRaveloMenu(msg, keys);
      if (panelKey) HandlePanelKey(msg, panelModifiers);
    }
  }
  return CallNextHookEx(GetMessageHookHandle(), code, wParam, lParam);
}

LRESULT OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && lParam) {
    const CWPSTRUCT& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    switch (cwp.message) {
      case WM_ENTERMENULOOP: SetMenuBarLoop(cwp.wParam == 0); break;
      case WM_WINDOWPOSCHANGED: FollowHostWindow(cwp); break;
      case WM_CLOSE: SaveAllPanels(); break;
      default:
        if (cwp.message >= kFirstRegisteredMessage && cwp.message == RegisteredMessages().CloseHook)
        {
          CloseAllPanels();
          ClearRaveloEntries();
        }
        break;
    }
  }
  return CallNextHookEx(CallWndProcHookHandle(), code, wParam, lParam);
}

LRESULT OnCallWndProcRet(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && lParam) {
    const CWPRETSTRUCT& ret = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (ret.message == WM_SHOWWINDOW || ret.message == WM_ACTIVATEAPP) RequestPanelReopen(ret);
  }
  return CallNextHookEx(CallWndProcRetHookHandle(), code, wParam, lParam);
}

}  // namespace gx::hook
