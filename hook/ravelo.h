#pragma once
// Recall of the last menu used in a window's menu bar: each command chosen
// from a menu bar is recorded per top-level window, and the Ravelo key opens
// that menu (or the one above it) again as a pop-up menu at the pointer.

#include <windows.h>

#include <cstdint>

#include "hook/state.h"

namespace gx::hook {

struct RaveloEntry {
  HMENU Menu;         // the menu holding the last command, null when none did
  HWND Window;        // the host top-level window
  bool ParentWanted;  // Ctrl or the right button was held: recall one level up
};

// The menu that holds the item `id`, searching sub-menus depth first.
HMENU FindItemMenu(HMENU menu, uint32_t id) noexcept;

struct ParentMenu {
  HMENU menu;    // holds `target` as a sub-menu, or null
  int position;  // of `target` in it, or -1
};
ParentMenu FindParentMenu(HMENU target, HMENU menu) noexcept;

// WM_COMMAND retrieved by a thread: remembered when it came from a menu bar.
void RecordRaveloCommand(const MSG& msg) noexcept;
// WM_KEYDOWN: the Ravelo combination opens the recorded menu; the key is
// swallowed whenever the window has a record.
void RecallRaveloMenu(MSG& msg, const KeySettings& keys) noexcept;

void ClearRaveloEntries() noexcept;
const RaveloEntry* RaveloEntryOf(HWND host) noexcept;

}  // namespace gx::hook
