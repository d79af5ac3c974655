// The floating panel built inside this process for a window of our own, as the
// hook library builds it inside a host program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/profile_files.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/strips.h"
#include "common/unicode.h"
#include "common/winutils.h"
#include "hook/gantrixform.h"
#include "hook/hintshadow.h"
#include "tests/win32/testutil.h"

namespace gx::hook {
namespace {

// A top-level window standing in for the host program; it logs the commands it gets.
class FakeHost : public ui::WindowClass<FakeHost> {
 public:
  static const wchar_t* ClassName() { return L"GantrixPanelTestHost"; }
  std::vector<std::pair<WPARAM, LPARAM>> commands;
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND) {
      commands.emplace_back(wp, lp);
      return 0;
    }
    return Default(msg, wp, lp);
  }
};

class Panel : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(FakeHost::Register(GetModuleHandleW(nullptr)));
    ASSERT_TRUE(host_.CreateCentred(GetModuleHandleW(nullptr), "Host title", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                    400, 300));
    names_ = ProfileNameOf(host_.hwnd());
    WriteSetting(kValProfilesPath, dir_.path());
    WriteSetting(kValLanguage, "0");
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str());
  }

  void WriteProfile(const std::string& base, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    ASSERT_TRUE(test::WriteFileBytes(dir_ / (base + ".mpf"), bytes));
  }
  std::unique_ptr<TGantrixForm> Build(bool applyPosition = true) {
    auto panel = std::make_unique<TGantrixForm>(GetModuleHandleW(nullptr));
    EXPECT_TRUE(panel->Create(host_.hwnd()));
    panel->LoadButtons(dir_.path(), host_.hwnd(), applyPosition);
    return panel;
  }
  static RECT Client(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return r;
  }
  // The pointer where a user left it; the system takes a moment to report it.
  static void PointerAt(int x, int y) {
    // Moved as the mouse moves it, so every part of the system agrees on it.
    INPUT in = test::MouseInputAt({x, y}, MOUSEEVENTF_MOVE);
    SendInput(1, &in, sizeof in);
    test::WaitFor([&] {
      POINT p{};
      GetCursorPos(&p);
      return p.x == x && p.y == y;
    }, std::chrono::seconds(10));
  }
  static std::string ButtonText(HWND toolbar, int index) {
    TBBUTTON b{};
    SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
    wchar_t text[256] = {};
    SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(b.idCommand), reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }

  test::TempDir dir_;
  FakeHost host_;
  ProfileNames names_;
};

TEST_F(Panel, WithoutProfileShowsTheNoticeAndStartButtonByThePointer) {
  PointerAt(500, 400);
  auto panel = Build();
  EXPECT_EQ(WindowClassName(panel->hwnd()), "TGantrixForm");
  EXPECT_EQ(GetWindow(panel->hwnd(), GW_OWNER), host_.hwnd());
  EXPECT_TRUE(GetWindowLongW(panel->hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(Client(panel->hwnd()).right, 135);
  EXPECT_EQ(Client(panel->hwnd()).bottom, 92);
  EXPECT_EQ(panel->Text(), "Host title");
  EXPECT_FALSE(IsWindowVisible(panel->ToolBar()) ||
               (GetWindowLongW(panel->ToolBar(), GWL_STYLE) & WS_VISIBLE));
  HWND label = GetDlgItem(panel->hwnd(), TGantrixForm::kLabel1);
  HWND button = GetDlgItem(panel->hwnd(), TGantrixForm::kButton1);
  EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(ui::Window(label).Text(), "You didn\u2019t select instructions for the program");
  EXPECT_EQ(ui::Window(button).Text(), "Run Gantrix (Control Panel)");
  POINT pointer{};
  GetCursorPos(&pointer);
  RECT r = panel->WindowRect();
  EXPECT_EQ(r.left, pointer.x - 5);
  EXPECT_EQ(r.top, pointer.y - 3);
  // A rebuild without position places it by the pointer all the same. The
  // system may still be settling the pointer: use the place it reports
  // unchanged around the build.
  PointerAt(300, 200);
  SetWindowPos(panel->hwnd(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  POINT before{}, after{};
  for (int attempt = 0; attempt < 5; ++attempt) {
    GetCursorPos(&before);
    panel->LoadButtons(dir_.path(), host_.hwnd(), false);
    GetCursorPos(&after);
    if (before.x == after.x && before.y == after.y) break;
  }
  r = panel->WindowRect();
  EXPECT_EQ(r.left, after.x - 5);
  EXPECT_EQ(r.top, after.y - 3);
  // Nothing to save without buttons.
  EXPECT_TRUE(panel->ActSaveExecute());
  EXPECT_FALSE(FileExists(dir_ / (names_.base + ".mpf")));
}

TEST_F(Panel, HostWithoutTitleKeepsTheCaption) {
  host_.SetText("");
  auto panel = Build();
  EXPECT_EQ(panel->Text(), "Gantrix");
}

TEST_F(Panel, BuiltFromTheProfileInItsOrderSizeAndPlace) {
  WriteProfile(names_.base, {"1", "Editor tools", "20", "0", "1", "16", "16", "60", "200", "def", "120",
                             "4021;Save;All", "4022;Print", "7;Go"});
  PointerAt(500, 400);
  auto panel = Build();
  EXPECT_EQ(panel->Text(), "Editor tools");
  EXPECT_EQ(Client(panel->hwnd()).right, 200);
  EXPECT_EQ(Client(panel->hwnd()).bottom, 60);
  const RECT r = panel->WindowRect();
  EXPECT_EQ(r.left, 495) << "left by the pointer";
  EXPECT_EQ(r.top, 120) << "top from the profile";
  ASSERT_EQ(SendMessageW(panel->ToolBar(), TB_BUTTONCOUNT, 0, 0), 3);
  EXPECT_EQ(ButtonText(panel->ToolBar(), 0), "Save;All");
  EXPECT_EQ(ButtonText(panel->ToolBar(), 2), "Go");
  ASSERT_EQ(panel->Buttons().size(), 3u);
  EXPECT_EQ(panel->Buttons()[0].name, "n4021");
  EXPECT_EQ(panel->Buttons()[2].name, "n7");
  const RECT bar = Client(panel->ToolBar());
  EXPECT_EQ(bar.right, 200);
  EXPECT_EQ(bar.bottom, 60);

  // A rebuild without position keeps the place the user gave it, not the size.
  SetWindowPos(panel->hwnd(), nullptr, 10, 20, 300, 300, SWP_NOZORDER);
  panel->LoadButtons(dir_.path(), host_.hwnd(), false);
  EXPECT_EQ(panel->WindowRect().left, 10);
  EXPECT_EQ(panel->WindowRect().top, 20);
  EXPECT_EQ(Client(panel->hwnd()).right, 200);
}

TEST_F(Panel, PointerRuleKeepsTheClientAreaOnScreen) {
  WriteProfile(names_.base, {"1", "c", "20", "0", "1", "16", "16", "100", "200", "def", "def", "1;a"});
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  PointerAt(sw - 100, sh - 68);
  auto panel = Build();
  EXPECT_EQ(panel->WindowRect().left, sw - 200);
  EXPECT_EQ(panel->WindowRect().top, sh - 100);
}

TEST_F(Panel, ButtonsWrapIntoRowsInProfileOrder) {
  WriteProfile(names_.base, {"1", "c", "20", "2", "1", "16", "16", "200", "90", "0", "0", "1;Short",
                             "2;A much longer caption", "3;Mid caption"});
  auto panel = Build();
  RECT first{}, second{}, third{};
  SendMessageW(panel->ToolBar(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageW(panel->ToolBar(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  SendMessageW(panel->ToolBar(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
  EXPECT_GT(SendMessageW(panel->ToolBar(), TB_GETROWS, 0, 0), 1);
  EXPECT_LE(first.top, second.top);
  EXPECT_LE(second.top, third.top);
  EXPECT_LT(first.top, third.top);
}

TEST_F(Panel, ButtonModesAndListLayout) {
  const struct {
    const char* mode;
    const char* list;
    bool images;
    bool listStyle;
  } cases[] = {{"0", "1", true, false}, {"1", "1", true, false}, {"2", "0", false, true},
               {"7", "0", true, true},  {"", " 0", true, false}};
  for (const auto& c : cases) {
    WriteProfile(names_.base, {"1", "c", "20", c.mode, c.list, "16", "16", "60", "200", "0", "0", "1;One"});
    auto panel = Build();
    const bool hasImages = SendMessageW(panel->ToolBar(), TB_GETIMAGELIST, 0, 0) != 0;
    EXPECT_EQ(hasImages, c.images) << c.mode;
    EXPECT_EQ((GetWindowLongW(panel->ToolBar(), GWL_STYLE) & TBSTYLE_LIST) != 0, c.listStyle) << c.list;
  }
}

// Strips of three 8 x 6 cells: red, green, blue on their left half.
void WriteTestStrips(const std::string& picture, const std::string& mask, int cells) {
  UniqueImageList list(ImageList_Create(8, 6, ILC_COLOR24 | ILC_MASK, cells, 0));
  const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
  ScreenDc screen;
  for (int k = 0; k < cells; ++k) {
    UniqueBitmap p(CreateCompatibleBitmap(screen.get(), 8, 6));
    UniqueBitmap m(CreateBitmap(8, 6, 1, 1, nullptr));
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    {
      SelectedObject s(dc.get(), p.get());
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(dc.get(), x, y, colors[k % 3]);
    }
    {
      SelectedObject s(dc.get(), m.get());
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(dc.get(), x, y, x < 4 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
    ImageList_Add(list.get(), p.get(), m.get());
  }
  ASSERT_TRUE(WriteStrips(picture, mask, list.get(), cells, 8, 6));
}

COLORREF ImagePixel(HIMAGELIST list, int index, int x, int y) {
  int w = 0, h = 0;
  ImageList_GetIconSize(list, &w, &h);
  ScreenDc screen;
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap b(CreateCompatibleBitmap(screen.get(), w, h));
  SelectedObject s(dc.get(), b.get());
  const RECT all{0, 0, w, h};
  UniqueGdiObject white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(dc.get(), &all, static_cast<HBRUSH>(white.get()));
  ImageList_Draw(list, index, dc.get(), 0, 0, ILD_TRANSPARENT);
  return GetPixel(dc.get(), x, y);
}

TEST_F(Panel, PicturesComeFromTheStripsScaledWithMasks) {
  WriteTestStrips(dir_ / (names_.fallback + ".bmp"), dir_ / (names_.fallback + ".bmm"), 3);
  // Four buttons, three cells; the profile asks for pictures twice as high as the cells.
  WriteProfile(names_.fallback,
               {"1", "c", "20", "0", "1", "12", "8", "60", "300", "0", "0", "1;a", "2;b", "3;c", "4;d"});
  auto panel = Build();
  HIMAGELIST images = panel->Images();
  ASSERT_EQ(ImageList_GetImageCount(images), 4);
  int w = 0, h = 0;
  ImageList_GetIconSize(images, &w, &h);
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 12);
  EXPECT_EQ(ImagePixel(images, 0, 2, 11), RGB(255, 0, 0));
  EXPECT_EQ(ImagePixel(images, 2, 3, 0), RGB(0, 0, 255));
  EXPECT_EQ(ImagePixel(images, 1, 6, 5), RGB(255, 255, 255)) << "masked half is transparent";
  EXPECT_EQ(ImagePixel(images, 3, 2, 2), RGB(255, 255, 255)) << "no cell: a blank picture";
}

TEST_F(Panel, GarbageStripsGiveButtonsWithoutPictures) {
  ASSERT_TRUE(test::WriteFileBytes(dir_ / (names_.base + ".bmp"), "BM garbage"));
  ASSERT_TRUE(test::WriteFileBytes(dir_ / (names_.base + ".bmm"), std::string(100, '\xff')));
  WriteProfile(names_.base, {"1", "c", "20", "0", "1", "99999999999", "-5", "60", "300", "0", "0", "1;a", "1;a",
                             "0;zero", "18446744073709551616;big"});
  auto panel = Build();
  EXPECT_EQ(SendMessageW(panel->ToolBar(), TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_EQ(panel->Buttons()[3].name, "n0");
}

TEST_F(Panel, LongProfileBuildsWhatItCan) {
  std::vector<std::string> lines = {"1", "c", "20", "2", "1", "16", "16", "60", "300", "0", "0"};
  for (int i = 0; i < 10000; ++i) lines.push_back(std::to_string(i + 1) + ";Item " + std::to_string(i));
  WriteProfile(names_.base, lines);
  auto panel = Build();
  EXPECT_EQ(SendMessageW(panel->ToolBar(), TB_BUTTONCOUNT, 0, 0),
            static_cast<LRESULT>(TGantrixForm::kMaxToolButtons));
  // A rebuild stays quick, and a save keeps every line.
  panel->LoadButtons(dir_.path(), host_.hwnd(), false);
  ASSERT_TRUE(panel->ActSaveExecute());
  const std::optional<ProfileText> saved = ReadProfileTextFile(dir_ / (names_.base + ".mpf"));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->buttons.size(), 10000u);
  EXPECT_EQ(saved->buttons.back().caption, "Item 9999");
}

TEST_F(Panel, SaveWritesTheTextBackUnderTheBaseName) {
  WriteProfile(names_.fallback,
               {"1", "Tools", "20", "7", "x", "20", "24", "60", "200", "33", "44", "4021;Save;All", "9;Print"});
  auto panel = Build();
  panel->SetVisible(true);
  SetWindowPos(panel->hwnd(), nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(panel->ActSaveExecute());
  // No strips were loaded: the picture size is the list's own, 16 x 16.
  const std::string expected =
      "0\r\nTools\r\n10\r\n7\r\nx\r\n16\r\n16\r\n60\r\n200\r\n70\r\n80\r\n4021;Save;All\r\n9;Print\r\n";
  EXPECT_EQ(test::ReadFileBytes(dir_ / (names_.base + ".mpf")), expected);
  panel->SetVisible(false);
  ASSERT_TRUE(panel->ActSaveExecute());
  EXPECT_EQ(test::ReadFileBytes(dir_ / (names_.base + ".mpf")).substr(0, 3), "1\r\n");
  EXPECT_EQ(test::ReadFileBytes(dir_ / (names_.fallback + ".mpf")).substr(0, 3), "1\r\n") << "fallback untouched";
}

TEST_F(Panel, ClickPostsTheCommandAndTheCloseBoxHides) {
  WriteProfile(names_.base, {"1", "c", "20", "0", "1", "16", "16", "60", "200", "0", "0", "4021;Save", "77;x"});
  auto panel = Build();
  panel->SetVisible(true);
  SendMessageW(panel->hwnd(), WM_COMMAND, TGantrixForm::kFirstButton + 0, reinterpret_cast<LPARAM>(panel->ToolBar()));
  SendMessageW(panel->hwnd(), WM_COMMAND, TGantrixForm::kFirstButton + 1, reinterpret_cast<LPARAM>(panel->ToolBar()));
  ASSERT_TRUE(test::WaitFor([&] { return host_.commands.size() == 2; }));
  EXPECT_EQ(host_.commands[0], std::make_pair(WPARAM{4021}, LPARAM{0}));
  EXPECT_EQ(host_.commands[1], std::make_pair(WPARAM{77}, LPARAM{0}));

  SendMessageW(panel->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(panel->Visible());
  EXPECT_FALSE(IsWindowVisible(panel->hwnd()));
  EXPECT_TRUE(IsWindow(panel->hwnd())) << "closing only hides";
  EXPECT_EQ(SendMessageW(panel->ToolBar(), TB_BUTTONCOUNT, 0, 0), 2);
}

// Resting the pointer on a button shows its caption in the shadowed hint
// window; after a rebuild, the new buttons' captions.
TEST_F(Panel, HintShowsTheCaptionOfTheButtonUnderThePointer) {
  const std::vector<std::string> head = {"1", "c", "20", "0", "1", "16", "16", "60", "200", "300", "200"};
  auto profile = [&](std::vector<std::string> buttons) {
    std::vector<std::string> lines = head;
    lines.insert(lines.end(), buttons.begin(), buttons.end());
    WriteProfile(names_.base, lines);
  };
  profile({"4021;Save", "77;Print"});
  auto panel = Build();
  panel->SetVisible(true);
  auto shownHint = [] {
    HWND hint = test::FindTopWindow(GetCurrentProcessId(), kShadowedHintClass, true);
    return hint ? ui::Window(hint).Text() : std::string();
  };
  const struct {
    bool rebuildFirst;
    int index;
    const char* caption;
  } cases[] = {{false, 1, "Print"}, {false, 0, "Save"}, {true, 1, "Preview"}, {false, 2, "Close"}};
  for (const auto& c : cases) {
    if (c.rebuildFirst) {
      profile({"4021;Save", "78;Preview", "79;Close"});
      panel->LoadButtons(dir_.path(), host_.hwnd(), false);
    }
    RECT r{};
    SendMessageW(panel->ToolBar(), TB_GETITEMRECT, static_cast<WPARAM>(c.index), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(panel->ToolBar(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    // From outside the panel, the way a user comes to a button.
    PointerAt(r.left + 5, r.top - 100);
    EXPECT_TRUE(test::WaitFor([&] { return shownHint().empty(); }, std::chrono::seconds(10)));
    PointerAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(test::WaitFor([&] { return shownHint() == c.caption; }, std::chrono::seconds(10)))
        << c.caption << " / " << shownHint();
  }
  EXPECT_EQ(test::TopWindows(GetCurrentProcessId(), kShadowedHintClass).size(), 1u)
      << "the old tool bar's hint window went with it";
}

TEST_F(Panel, LanguageFileRelabelsTheNotice) {
  ASSERT_TRUE(test::WriteFileBytes(dir_ / "x.ini", "[Info]\r\nLanguage=Pan\r\n[Gantrix]\r\n1=No commands\r\n"));
  WriteSetting(kValLanguagePath, dir_.path());
  WriteSetting(kValLanguage, "Pan");
  auto panel = Build();
  EXPECT_EQ(ui::Window(GetDlgItem(panel->hwnd(), TGantrixForm::kLabel1)).Text(), "No commands");
  EXPECT_EQ(ui::Window(GetDlgItem(panel->hwnd(), TGantrixForm::kButton1)).Text(), "Run Gantrix(Control Panel)");
}

TEST(HintShadow, OnNtFiveOneAndLater) {
  const struct {
    bool nt;
    DWORD major, minor;
    bool shadow;
  } cases[] = {{true, 5, 1, true}, {true, 6, 0, true}, {true, 10, 0, true},
               {true, 5, 0, false}, {true, 4, 0, false}, {false, 4, 90, false}};
  for (const auto& c : cases) EXPECT_EQ(HintShadowWanted(c.nt, c.major, c.minor), c.shadow) << c.major << "." << c.minor;

  HWND hint = CreateShadowedHintWindow(GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(hint);
  EXPECT_EQ(WindowClassName(hint), "TShadowedHintWindow");
  EXPECT_TRUE(GetClassLongPtrW(hint, GCL_STYLE) & CS_DROPSHADOW);
  DestroyWindow(hint);
}

}  // namespace
}  // namespace gx::hook
