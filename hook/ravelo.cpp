#include "hook/ravelo.h"

#include <vector>

#include "common/hookdata.h"
#include "hook/contain.h"
#include "hook/procs.h"
#include "hook/state.h"

namespace gx::hook {

namespace {

// One per host window that has had a command recorded, in the order of the
// first record; entries are overwritten in place and dropped only all at once.
std::vector<RaveloEntry> g_entries;

// Menus are trees; the depth limit only keeps a damaged one from recursing forever.
constexpr int kMaxDepth = 32;

bool Held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

RaveloEntry* Find(HWND host) {
  for (RaveloEntry& e : g_entries)
    if (e.Window == host) return &e;
  return nullptr;
}

HMENU FindItemIn(HMENU menu, uint32_t id, int depth) {
  if (depth > kMaxDepth) return nullptr;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (static_cast<uint32_t>(GetMenuItemID(menu, i)) == id) return menu;
    if (HMENU sub = GetSubMenu(menu, i))
      if (HMENU found = FindItemIn(sub, id, depth + 1)) return found;
  }
  return nullptr;
}

ParentMenu FindParentIn(HMENU target, HMENU menu, int depth) {
  if (depth > kMaxDepth) return {nullptr, -1};
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (!sub) continue;
    if (sub == target) return {menu, i};
    const ParentMenu found = FindParentIn(target, sub, depth + 1);
    if (found.menu) return found;
  }
  return {nullptr, -1};
}

bool IsRaveloCombination(const MSG& msg, const KeySettings& keys) {
  switch (EffectiveRaveloMode(keys.RaveloMode)) {
    case RaveloCombination::CtrlSpace: return msg.wParam == VK_SPACE && Held(VK_CONTROL);
    case RaveloCombination::WinSpace: return msg.wParam == VK_SPACE && Held(VK_LWIN);
    case RaveloCombination::Custom: return msg.wParam == keys.RaveloKey && ShiftDown(keys.RaveloShift);
  }
  return false;
}

// Shows a menu bar's items as a pop-up menu. Some systems refuse to track the
// bar itself while it belongs to its window; a pop-up that borrows the bar's
// items (sub-menus by handle) shows the same menu, and is taken apart after.
void TrackMenuBar(HMENU bar, POINT at, HWND window) {
  HMENU copy = CreatePopupMenu();
  if (!copy) return;
  const int count = GetMenuItemCount(bar);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(bar, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    const UINT state = GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
    if (HMENU sub = GetSubMenu(bar, i))
      AppendMenuW(copy, MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub), text);
    else
      AppendMenuW(copy, MF_STRING | state, GetMenuItemID(bar, i), text);
  }
  TrackPopupMenuEx(copy, 0, at.x, at.y, window, nullptr);
  // The sub-menus stay the bar's: take them out before the copy goes.
  while (GetMenuItemCount(copy) > 0) RemoveMenu(copy, 0, MF_BYPOSITION);
  DestroyMenu(copy);
}

}  // namespace

HMENU FindItemMenu(HMENU menu, uint32_t id) noexcept { return FindItemIn(menu, id, 0); }

ParentMenu FindParentMenu(HMENU target, HMENU menu) noexcept { return FindParentIn(target, menu, 0); }

void RecordRaveloCommand(const MSG& msg) noexcept {
  if (msg.lParam != 0 || !MenuBarLoop()) return;
  Contained([&] {
    HWND host = GetAncestor(msg.hwnd, GA_ROOT);
    RaveloEntry* entry = Find(host);
    if (!entry) {
      g_entries.push_back({nullptr, host, false});
      entry = &g_entries.back();
    }
    entry->ParentWanted = Held(VK_RBUTTON) || Held(VK_CONTROL);
    // The full wParam: an accelerator's command (high word 1) matches no item.
    entry->Menu = FindItemMenu(GetMenu(host), static_cast<uint32_t>(msg.wParam));
    entry->Window = host;
  });
}

void RecallRaveloMenu(MSG& msg, const KeySettings& keys) noexcept {
  if (keys.RaveloOn == 0 || !IsRaveloCombination(msg, keys)) return;
  const RaveloEntry* found = Find(GetAncestor(msg.hwnd, GA_ROOT));
  if (!found) return;
  // A copy: the menu's own loop may record or clear entries meanwhile.
  const RaveloEntry entry = *found;
  Contained([&] {
    POINT p{};
    GetCursorPos(&p);
    HMENU bar = GetMenu(entry.Window);
    HMENU menu = entry.ParentWanted ? FindParentMenu(entry.Menu, bar).menu : entry.Menu;
    if (!menu || !IsMenu(menu)) return;
    const POINT at{p.x + 3, p.y + 3};
    if (menu == bar) TrackMenuBar(bar, at, entry.Window);
    else TrackPopupMenuEx(menu, 0, at.x, at.y, entry.Window, nullptr);
  });
  msg.message = WM_NULL;
}

void ClearRaveloEntries() noexcept { g_entries.clear(); }

const RaveloEntry* RaveloEntryOf(HWND host) noexcept { return Find(host); }

}  // namespace gx::hook
