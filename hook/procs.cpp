#include "hook/procs.h"

#include "hook/state.h"

namespace gx::hook {
namespace {

// Steps of the panels and of Ravelo; each is reached only for its own message,
// so the common path stays a few compares and the call of the next hook.

// "WM_GantrixUpdateWindow": every panel rebuilds itself from its profile.
void ReloadPanels(const MSG&) noexcept {}
// WM_COMMAND: remember the menu that held the command chosen.
void RecordRaveloCommand(const MSG&) noexcept {}
// "WM_OpenMayWindowGANTRIX": open the host window's panel.
void OpenRequestedPanel(MSG&) noexcept {}
// WM_KEYDOWN, first: the Ravelo combination recalls the last menu.
void RecallRaveloMenu(MSG&) noexcept {}
// WM_KEYDOWN, then: the panel combination shows or hides the panel.
void HandlePanelKey(MSG&) noexcept {}

// WM_ENTERMENULOOP: whether the menu loop belongs to a menu bar.
void TrackMenuLoop(const CWPSTRUCT&) noexcept {}
// WM_WINDOWPOSCHANGED: panels follow their host window out of and into view.
void FollowHostWindow(const CWPSTRUCT&) noexcept {}
// "WM_CLOSEHOOKGANTRIX": save and destroy every panel, forget all records.
void CloseDown() noexcept {}
// WM_CLOSE to any window of the process: save every panel.
void SaveAllPanels() noexcept {}

// WM_SHOWWINDOW, WM_ACTIVATEAPP: reopen a panel that was open when last saved.
void RequestPanelReopen(const CWPRETSTRUCT&) noexcept {}

}  // namespace

LRESULT OnGetMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && lParam) {
    MSG& msg = *reinterpret_cast<MSG*>(lParam);
    if (msg.message >= kFirstRegisteredMessage) {
      const Messages m = RegisteredMessages();
      if (msg.message == m.Update) RefreshKeySettings();
      else if (msg.message == m.UpdateWindow) ReloadPanels(msg);
      else if (msg.message == m.OpenWindow) OpenRequestedPanel(msg);
    } else if (msg.message == WM_COMMAND) {
      RecordRaveloCommand(msg);
    } else if (msg.message == WM_KEYDOWN) {
      RecallRaveloMenu(msg);
      HandlePanelKey(msg);
    }
  }
  return CallNextHookEx(GetMessageHookHandle(), code, wParam, lParam);
}

LRESULT OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && lParam) {
    const CWPSTRUCT& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    switch (cwp.message) {
      case WM_ENTERMENULOOP: TrackMenuLoop(cwp); break;
      case WM_WINDOWPOSCHANGED: FollowHostWindow(cwp); break;
      case WM_CLOSE: SaveAllPanels(); break;
      default:
        if (cwp.message >= kFirstRegisteredMessage && cwp.message == RegisteredMessages().CloseHook) CloseDown();
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
