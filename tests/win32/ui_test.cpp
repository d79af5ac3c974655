#include <gtest/gtest.h>

#include "common/hookdata.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace gx::ui {
namespace {

class Host : public WindowClass<Host> {
 public:
  static const wchar_t* ClassName() { return L"GantrixUiTestHost"; }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) return 42;
    return Default(msg, wp, lp);
  }
};

TEST(HotKeyEdit, HoldsOurShortcutValueWhateverTheControlEncoding) {
  Host host;
  ASSERT_TRUE(Host::Register(GetModuleHandleW(nullptr)));
  ASSERT_TRUE(host.CreateCentred(GetModuleHandleW(nullptr), "host", WS_OVERLAPPEDWINDOW, 0, 300, 100));
  EXPECT_EQ(host.Send(WM_APP), 42) << "messages reach the class's handler";
  HotKeyEdit edit = HotKeyEdit::Create(host.hwnd(), 0, 0, 100, 20, 1);
  ASSERT_TRUE(edit);
  const uint16_t values[] = {
      kShortcutCtrl | VK_OEM_3, kShortcutCtrl | kShortcutAlt | 'Z', kShortcutShift | VK_F5,
      kShortcutShift | kShortcutCtrl | kShortcutAlt | 'A', 'Q' /* a key alone is kept */, 0};
  for (uint16_t v : values) {
    edit.SetShortcut(v);
    EXPECT_EQ(edit.Shortcut(), v) << std::hex << v;
  }
  // The control's own flags: Shift 1, Ctrl 2, Alt 4 in the high byte.
  edit.Send(HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT));
  EXPECT_EQ(edit.Shortcut(), kShortcutCtrl | kShortcutAlt | 'B');
  EXPECT_EQ(ShortcutToHotKey(kShortcutShift | 'C'), MAKEWORD('C', HOTKEYF_SHIFT));
}

TEST(Window, ClientSizeIsExact) {
  Host host;
  ASSERT_TRUE(Host::Register(GetModuleHandleW(nullptr)));
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"Item");
  ASSERT_TRUE(host.CreateCentred(GetModuleHandleW(nullptr), "Größe", WS_CAPTION | WS_SYSMENU, 0, 516, 238, nullptr,
                                 menu));
  const RECT r = host.ClientRect();
  EXPECT_EQ(r.right, 516);
  EXPECT_EQ(r.bottom, 238);
  EXPECT_EQ(host.Text(), "Größe");
}

}  // namespace
}  // namespace gx::ui
