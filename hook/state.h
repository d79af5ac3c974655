#pragma once
// Per-process state of the hook library. Every process the library is mapped
// into has its own copy, filled from the shared block and never written back.

#include <windows.h>

#include <cstdint>

namespace gx::hook {

struct HookHandles {
  uint32_t GetMessageHook;
  uint32_t CallWndProcHook;
  uint32_t CallWndProcRetHook;
};

struct KeySettings {
  uint16_t PanelKey;
  uint8_t PanelShift;
  uint16_t RaveloKey;
  uint8_t RaveloShift;
  uint8_t RaveloMode;
  uint8_t RaveloOn;
};

struct Messages {
  UINT CloseHook;
  UINT OpenWindow;
  UINT Update;
  UINT UpdateWindow;
};

// Registered message numbers lie in this range; a message below it is none of ours.
inline constexpr UINT kFirstRegisteredMessage = 0xC000;

HookHandles CurrentHooks() noexcept;
KeySettings CurrentKeys() noexcept;

// The hook handles as CallNextHookEx takes them.
HHOOK GetMessageHookHandle() noexcept;
HHOOK CallWndProcHookHandle() noexcept;
HHOOK CallWndProcRetHookHandle() noexcept;

// The four numbers, registered on first use in the order the system fixes.
// A failed registration leaves 0, which no registered message equals.
Messages RegisteredMessages() noexcept;

// What reading the block at load found; the boxes that report it are shown
// later, outside the loader lock.
struct LoadReport {
  bool openFailed = false;
  DWORD openError = 0;
  bool noView = false;
  DWORD viewError = 0;
  bool unmapFailed = false;
  DWORD unmapError = 0;
  bool noHandle = false;
  DWORD handleError = 0;
  bool closeFailed = false;
  DWORD closeError = 0;

  bool Any() const { return openFailed || noView || unmapFailed || noHandle || closeFailed; }
};

// Zeroes the state and copies all nine fields of the block. Kernel32 only, so
// it may run inside the load notification.
LoadReport LoadFromBlock() noexcept;

// Copies the key settings (offsets 12 to 20) from the block again; on any
// failure the old settings stay and nothing is shown.
void RefreshKeySettings() noexcept;

// The load's boxes in their fixed order, each waiting for its OK.
void ShowLoadBoxes(const LoadReport& report) noexcept;

// Whether the menu loop now running (or the last one) belongs to a menu bar
// rather than to a pop-up menu; only commands from a menu bar are recalled.
bool MenuBarLoop() noexcept;
void SetMenuBarLoop(bool menuBar) noexcept;

}  // namespace gx::hook
