// Recording of menu-bar commands and the menu searches, on menus and windows
// of this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "hook/ravelo.h"
#include "hook/state.h"

namespace gx::hook {
namespace {

// File > Recent > More > Deep (121), File > New (101), Edit > Copy (201).
struct MenuTree {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU recent = CreatePopupMenu();
  HMENU more = CreatePopupMenu();
  HMENU edit = CreatePopupMenu();
  MenuTree() {
    AppendMenuW(more, MF_STRING, 121, L"Deep");
    AppendMenuW(recent, MF_STRING, 111, L"Doc");
    AppendMenuW(recent, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
    AppendMenuW(file, MF_STRING, 101, L"New");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Recent");
    AppendMenuW(edit, MF_STRING, 201, L"Copy");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"Edit");
  }
  ~MenuTree() { DestroyMenu(bar); }
};

TEST(Ravelo, MenuSearches) {
  MenuTree t;
  const struct {
    uint32_t id;
    HMENU holder;
  } items[] = {{101, t.file}, {111, t.recent}, {121, t.more}, {201, t.edit}, {999, nullptr},
               {0x10000u | 101, nullptr} /* an accelerator's full wParam */};
  for (const auto& c : items) EXPECT_EQ(FindItemMenu(t.bar, c.id), c.holder) << c.id;
  EXPECT_EQ(FindItemMenu(nullptr, 101), nullptr);

  const struct {
    HMENU target;
    HMENU parent;
    int position;
  } parents[] = {{t.file, t.bar, 0}, {t.edit, t.bar, 1}, {t.recent, t.file, 1}, {t.more, t.recent, 1},
                 {t.bar, nullptr, -1}, {nullptr, nullptr, -1}};
  for (const auto& c : parents) {
    const ParentMenu p = FindParentMenu(c.target, t.bar);
    EXPECT_EQ(p.menu, c.parent);
    EXPECT_EQ(p.position, c.position);
  }
}

LRESULT CALLBACK Plain(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(Ravelo, RecordsMenuBarCommandsPerTopLevelWindow) {
  MenuTree t;
  WNDCLASSW wc{};
  wc.lpfnWndProc = Plain;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GantrixRaveloTest";
  RegisterClassW(&wc);
  HWND top = CreateWindowW(L"GantrixRaveloTest", L"t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, t.bar,
                           wc.hInstance, nullptr);
  HWND child = CreateWindowW(L"GantrixRaveloTest", L"c", WS_CHILD, 0, 0, 10, 10, top, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(top && child);
  ClearRaveloEntries();

  SetMenuBarLoop(false);  // the last loop was a pop-up menu's
  RecordRaveloCommand(MSG{top, WM_COMMAND, 121, 0, 0, {0, 0}});
  EXPECT_EQ(RaveloEntryOf(top), nullptr) << "context-menu commands are not recorded";

  SetMenuBarLoop(true);
  RecordRaveloCommand(MSG{top, WM_COMMAND, 201, reinterpret_cast<LPARAM>(child), 0, {0, 0}});
  EXPECT_EQ(RaveloEntryOf(top), nullptr) << "commands from controls are not recorded";

  // A message of a child window is recorded for its top-level window.
  RecordRaveloCommand(MSG{child, WM_COMMAND, 121, 0, 0, {0, 0}});
  ASSERT_NE(RaveloEntryOf(top), nullptr);
  EXPECT_EQ(RaveloEntryOf(top)->Menu, t.more);
  EXPECT_EQ(RaveloEntryOf(top)->Window, top);
  EXPECT_FALSE(RaveloEntryOf(top)->ParentWanted);

  // The next command overwrites the entry; an accelerator's matches no item.
  RecordRaveloCommand(MSG{top, WM_COMMAND, 0x10000u | 101, 0, 0, {0, 0}});
  EXPECT_EQ(RaveloEntryOf(top)->Menu, nullptr);

  ClearRaveloEntries();
  EXPECT_EQ(RaveloEntryOf(top), nullptr);
  DestroyWindow(top);
}

}  // namespace
}  // namespace gx::hook
