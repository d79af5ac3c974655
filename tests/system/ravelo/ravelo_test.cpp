// Ravelo end to end: commands chosen from the host's menu bar with the keyboard
// and with the mouse, the recall keys pressed with SendInput, the pop-up menu
// found and answered, and what the host received. Wine keeps other processes'
// menus out of reach, so the host answers questions about its own menus (see
// host.cpp).
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/registry.h"
#include "common/settings.h"
#include "main/mainform.h"
#include "tests/system/systemtest.h"

namespace gx::test {
namespace {

// Questions the host answers about a menu handle of its own.
constexpr UINT kMenuItemCount = WM_APP + 7;  // wParam menu -> item count
constexpr UINT kMenuItemId = WM_APP + 8;     // wParam menu, lParam position -> id
constexpr UINT kDropMenuBar = WM_APP + 10;   // destroys the menu bar
constexpr UINT kMenuItemCentre = WM_APP + 11;  // wParam menu (0: the bar), lParam position -> MAKELONG(x, y)

// What is held down while a menu item is clicked.
enum class Hold { Nothing, Ctrl, RightButton };

class Ravelo : public ::testing::Test {
 protected:
  void SetUp() override { ResetSettings(); }
  void TearDown() override { ResetSettings(); }

  // Gantrix started, the host in front.
  void Start() {
    gantrix_ = std::make_unique<GantrixProcess>(install_);
    ASSERT_TRUE(gantrix_->WaitStarted());
    ASSERT_TRUE(host_.started());
    // Keys reach the host once a plain one has: the focus has settled.
    bool settled = false;
    for (int attempt = 0; attempt < 3 && !settled; ++attempt) {
      ASSERT_TRUE(BringToFront(host_.window()));
      const int marks = KeyCount('X');
      PressKeys({'X'});
      settled = WaitFor([&] { return KeyCount('X') > marks; }, std::chrono::seconds(10));
    }
    ASSERT_TRUE(settled);
  }

  std::vector<HWND> Popups() const { return TopWindows(host_.pid(), L"#32768"); }
  HWND VisiblePopup() const {
    for (HWND w : Popups())
      if (IsWindowVisible(w)) return w;
    return nullptr;
  }
  HWND WaitPopup() const {
    HWND p = nullptr;
    WaitFor([&] { return (p = VisiblePopup()) != nullptr; }, std::chrono::seconds(10));
    return p;
  }
  bool WaitNoPopup() const {
    return WaitFor([&] { return VisiblePopup() == nullptr; }, std::chrono::seconds(10));
  }
  // The identifiers of the items of the menu a pop-up window shows.
  std::vector<long> ItemsOf(HWND popup) const {
    const LRESULT menu = SendMessageW(popup, MN_GETHMENU, 0, 0);
    std::vector<long> ids;
    const LRESULT count = SendMessageW(host_.window(), kMenuItemCount, static_cast<WPARAM>(menu), 0);
    for (LRESULT i = 0; i < count; ++i)
      ids.push_back(static_cast<long>(SendMessageW(host_.window(), kMenuItemId, static_cast<WPARAM>(menu), i)));
    return ids;
  }
  // File > Recent > More > Deep item (121), chosen with the keyboard; with
  // `ctrl` the item is chosen with Ctrl+Space (a menu ignores Ctrl+Enter), so
  // Ctrl is held when the command arrives.
  void ChooseDeepItem(bool ctrl) {
    PressKeys({VK_MENU, 'F'});
    ASSERT_TRUE(WaitPopup());
    PressKeys({'R'});
    ASSERT_TRUE(WaitFor([&] { return Popups().size() >= 2; }));
    PressKeys({'M'});
    ASSERT_TRUE(WaitFor([&] { return Popups().size() >= 3; }));
    const int before = host_.Count("WM_COMMAND 121 0");
    if (ctrl) PressKeys({VK_CONTROL, VK_SPACE});
    else PressKeys({VK_RETURN});
    ASSERT_TRUE(host_.WaitForLine("WM_COMMAND 121 0", before + 1));
    ASSERT_TRUE(WaitNoPopup());
  }
  // The screen centre of an item of a shown menu of the host (nullptr: its bar).
  std::optional<POINT> ItemCentre(HMENU menu, int position) const {
    const LRESULT r =
        SendMessageW(host_.window(), kMenuItemCentre, reinterpret_cast<WPARAM>(menu), static_cast<LPARAM>(position));
    if (r == -1) return std::nullopt;
    return POINT{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r))};
  }
  // The shown pop-up whose menu begins with the item `firstId`.
  HWND PopupBeginningWith(long firstId) const {
    for (HWND w : Popups()) {
      if (!IsWindowVisible(w)) continue;
      const std::vector<long> ids = ItemsOf(w);
      if (!ids.empty() && ids.front() == firstId) return w;
    }
    return nullptr;
  }
  static HMENU MenuOf(HWND popup) { return reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)); }
  // Clicks an item until the sub-menu beginning with `firstId` is shown. Wine
  // loses a click now and then; a repeat comes seconds later, so it never
  // makes a double click.
  HWND ClickOpens(HMENU menu, int position, long firstId) {
    HWND popup = nullptr;
    for (int attempt = 0; attempt < 4 && !popup; ++attempt) {
      if (const std::optional<POINT> at = ItemCentre(menu, position)) ClickAt(*at);
      WaitFor([&] { return (popup = PopupBeginningWith(firstId)) != nullptr; }, std::chrono::seconds(5));
    }
    return popup;
  }
  // File > Recent > More > Deep item (121) chosen with the mouse, `hold`
  // held down around the last click.
  void ClickDeepItem(Hold hold) {
    HWND file = ClickOpens(nullptr, 0, 101);
    ASSERT_TRUE(file);
    HWND recent = ClickOpens(MenuOf(file), 2, 111);
    ASSERT_TRUE(recent);
    HWND more = ClickOpens(MenuOf(recent), 1, 121);
    ASSERT_TRUE(more);
    const std::optional<POINT> deep = ItemCentre(MenuOf(more), 0);
    ASSERT_TRUE(deep);
    const int before = host_.Count("WM_COMMAND 121 0");
    if (hold == Hold::Ctrl) SendKey(VK_CONTROL, true);
    if (hold == Hold::RightButton) SendButton(MouseButton::Right, true);
    bool chosen = false;
    for (int attempt = 0; attempt < 4 && !chosen; ++attempt) {
      // Repeated only while the menu is still up, so the command comes once.
      if (attempt > 0 && !IsWindowVisible(more)) break;
      ClickAt(*deep);
      chosen = host_.WaitForLine("WM_COMMAND 121 0", before + 1, 5000);
    }
    if (hold == Hold::RightButton) SendButton(MouseButton::Right, false);
    if (hold == Hold::Ctrl) SendKey(VK_CONTROL, false);
    ASSERT_TRUE(chosen || host_.WaitForLine("WM_COMMAND 121 0", before + 1));
    EXPECT_EQ(host_.Count("WM_COMMAND 121 0"), before + 1);
    ASSERT_TRUE(WaitNoPopup());
  }
  // Key-downs of `vk` that reached the host window, whatever modifiers were held.
  int KeyCount(int vk) const {
    const std::string prefix = "WM_KEYDOWN " + std::to_string(vk) + " ";
    int n = 0;
    for (const std::string& line : host_.Log()) n += line.rfind(prefix, 0) == 0;
    return n;
  }
  // Presses the keys, then a sentinel key that the host logs; once it is
  // logged the keys before it have been handled.
  void PressThenSentinel(std::initializer_list<WORD> keys) {
    const int sentinels = KeyCount('X');
    if (keys.size()) PressKeys(keys);
    PressKeys({'X'});
    EXPECT_TRUE(WaitFor([&] { return KeyCount('X') > sentinels; }));
  }

  Install install_;
  HostProcess host_;
  std::unique_ptr<GantrixProcess> gantrix_;
};

TEST_F(Ravelo, RecallsTheLastMenuOfTheMenuBarAndItsChoiceReachesTheHost) {
  Start();
  // Nothing recorded yet: the combination goes on to the host.
  PressThenSentinel({VK_CONTROL, VK_SPACE});
  EXPECT_EQ(KeyCount(VK_SPACE), 1);

  ChooseDeepItem(false);
  POINT pointer{};
  GetCursorPos(&pointer);
  PressKeys({VK_CONTROL, VK_SPACE});
  HWND popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{121, 122})) << "the More menu";
  RECT r{};
  GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, pointer.x + 3);
  EXPECT_EQ(r.top, pointer.y + 3);
  EXPECT_EQ(KeyCount(VK_SPACE), 1) << "the combination is swallowed";

  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  PressKeys({VK_RETURN});
  ASSERT_TRUE(host_.WaitForLine("WM_COMMAND 122 0"));
  ASSERT_TRUE(WaitNoPopup());
  // A choice in the recalled menu is not recorded: the record stays.
  PressKeys({VK_CONTROL, VK_SPACE});
  popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{121, 122}));
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());
}

TEST_F(Ravelo, CtrlHeldRecallsTheMenuOneLevelUp) {
  // Recall with the Windows key, so Ctrl+Space can choose menu items.
  ASSERT_TRUE(WriteSettingInteger(kValRaveloHotKey, 1));
  Start();
  ChooseDeepItem(true);
  PressKeys({VK_LWIN, VK_SPACE});
  HWND popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{111, -1})) << "Recent, which holds More";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());

  // A command of a menu that hangs on the menu bar: its parent is the bar itself.
  PressKeys({VK_MENU, 'E'});
  ASSERT_TRUE(WaitPopup());
  PressKeys({VK_CONTROL, VK_SPACE});
  ASSERT_TRUE(host_.WaitForLine("WM_COMMAND 201 0"));
  ASSERT_TRUE(WaitNoPopup());
  PressKeys({VK_LWIN, VK_SPACE});
  popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{-1, -1, -1})) << "File, Edit, Help";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());
}

TEST_F(Ravelo, LeftWindowsKeyModeAndTheSwitch) {
  ASSERT_TRUE(WriteSettingInteger(kValRaveloHotKey, 1));
  Start();
  ChooseDeepItem(false);
  PressThenSentinel({VK_CONTROL, VK_SPACE});
  EXPECT_FALSE(VisiblePopup()) << "Ctrl+Space is not the combination in this mode";
  EXPECT_EQ(KeyCount(VK_SPACE), 1);
  PressKeys({VK_RWIN, VK_SPACE});
  PressThenSentinel({});
  EXPECT_FALSE(VisiblePopup()) << "the right Windows key does not count";
  PressKeys({VK_LWIN, VK_SPACE});
  ASSERT_TRUE(WaitPopup());
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());

  // Switched off in the main window: the combination reaches the host.
  PressButton(gantrix_->Control(TMainForm::kCheckBox2));
  ASSERT_TRUE(WaitFor([&] { return ReadBlock() && ReadBlock()->RaveloOn == 0; }));
  ASSERT_TRUE(host_.WaitForLine("WM_GantrixUpdate"));
  ASSERT_TRUE(BringToFront(host_.window()));
  const int spaces = KeyCount(VK_SPACE);
  PressThenSentinel({VK_LWIN, VK_SPACE});
  EXPECT_FALSE(VisiblePopup());
  EXPECT_EQ(KeyCount(VK_SPACE), spaces + 1);
}

TEST_F(Ravelo, CustomCombinationWithItsModifiers) {
  ASSERT_TRUE(WriteSettingInteger(kValRaveloHotKey, 2));
  ASSERT_TRUE(WriteSetting(kValShortCut2, "Shift+F7"));
  Start();
  ChooseDeepItem(false);
  PressThenSentinel({VK_F7});
  EXPECT_FALSE(VisiblePopup()) << "F7 without Shift";
  PressKeys({VK_SHIFT, VK_F7});
  HWND popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{121, 122}));
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());
}

TEST_F(Ravelo, AcceleratorsContextMenusAndDestroyedMenus) {
  Start();
  ChooseDeepItem(false);
  // A context-menu command is not recorded.
  PostMessageW(host_.window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(host_.window()), MAKELPARAM(300, 300));
  ASSERT_TRUE(WaitPopup());
  PressKeys({VK_DOWN});
  PressKeys({VK_RETURN});
  ASSERT_TRUE(host_.WaitForLine("WM_COMMAND 201 0"));
  ASSERT_TRUE(WaitNoPopup());
  PressKeys({VK_CONTROL, VK_SPACE});
  HWND popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), (std::vector<long>{121, 122})) << "still the More menu";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());

  // An accelerator's command after a menu-bar choice is recorded without a
  // menu: the recall shows nothing and swallows the key.
  ChooseDeepItem(false);
  PressKeys({VK_CONTROL, 'N'});
  ASSERT_TRUE(host_.WaitForLine("WM_COMMAND 65637 0"));
  const int spaces = KeyCount(VK_SPACE);
  PressThenSentinel({VK_CONTROL, VK_SPACE});
  EXPECT_FALSE(VisiblePopup());
  EXPECT_EQ(KeyCount(VK_SPACE), spaces);

  // A recorded menu that the host destroyed: nothing shown, key swallowed.
  ChooseDeepItem(false);
  SendMessageW(host_.window(), kDropMenuBar, 0, 0);
  PressThenSentinel({VK_CONTROL, VK_SPACE});
  EXPECT_FALSE(VisiblePopup());
  EXPECT_EQ(KeyCount(VK_SPACE), spaces);
}

TEST_F(Ravelo, TheCloseMessageEmptiesTheRecords) {
  Start();
  ChooseDeepItem(false);
  PressButton(gantrix_->Control(TMainForm::kButton2));
  ASSERT_TRUE(host_.WaitForLine("WM_CLOSEHOOKGANTRIX"));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(gantrix_->Control(TMainForm::kButton1)) != FALSE; }));
  PressButton(gantrix_->Control(TMainForm::kButton1));
  ASSERT_TRUE(WaitFor([&] { return ReadBlock() && ReadBlock()->GetMessageHook != 0; }));
  ASSERT_TRUE(BringToFront(host_.window()));
  PressThenSentinel({VK_CONTROL, VK_SPACE});
  EXPECT_FALSE(VisiblePopup());
  EXPECT_EQ(KeyCount(VK_SPACE), 1) << "no record any more: the key goes on";
}

TEST_F(Ravelo, PanelKeyEqualToTheCombinationOpensTheMenuThenThePanel) {
  ASSERT_TRUE(WriteSetting(kValShortCut, "Ctrl+Space"));
  Start();
  ChooseDeepItem(false);
  PressKeys({VK_CONTROL, VK_SPACE});
  ASSERT_TRUE(WaitPopup());
  EXPECT_FALSE(FindTopWindow(host_.pid(), L"TGantrixForm", true)) << "the menu comes first";
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());
  EXPECT_TRUE(WaitFor([&] { return FindTopWindow(host_.pid(), L"TGantrixForm", true) != nullptr; }));
}

// A choice made with the mouse, and what the recall shows after it.
struct MouseChoice {
  const char* name;
  Hold hold;
  uint32_t recallSetting;  // RaveloHotKey
  WORD recallModifier;     // with Space
  std::vector<long> recalled;
};

void PrintTo(const MouseChoice& c, std::ostream* out) { *out << c.name; }

class RaveloMouse : public Ravelo, public ::testing::WithParamInterface<MouseChoice> {};

TEST_P(RaveloMouse, ChoiceFromTheMenuBarIsRecalled) {
  const MouseChoice& c = GetParam();
  ASSERT_TRUE(WriteSettingInteger(kValRaveloHotKey, c.recallSetting));
  Start();
  ClickDeepItem(c.hold);
  PressKeys({c.recallModifier, VK_SPACE});
  HWND popup = WaitPopup();
  ASSERT_TRUE(popup);
  EXPECT_EQ(ItemsOf(popup), c.recalled);
  PressKeys({VK_ESCAPE});
  ASSERT_TRUE(WaitNoPopup());
}

// The Ctrl case recalls with the Windows key, as the keyboard one does.
INSTANTIATE_TEST_SUITE_P(
    Ravelo, RaveloMouse,
    ::testing::Values(MouseChoice{"Plain", Hold::Nothing, 0, VK_CONTROL, {121, 122}},
                      MouseChoice{"CtrlHeld", Hold::Ctrl, 1, VK_LWIN, {111, -1}},
                      MouseChoice{"RightButtonHeld", Hold::RightButton, 0, VK_CONTROL, {111, -1}}),
    [](const ::testing::TestParamInfo<MouseChoice>& choice) { return std::string(choice.param.name); });

}  // namespace
}  // namespace gx::test
