// The main program end to end: Gantrix.exe from a fresh install directory,
// driven through its window, checked in the registry, the shared block and
// what a host program receives.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/about.h"
#include "common/language.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/unicode.h"
#include "main/mainform.h"
#include "tests/system/systemtest.h"

namespace gx::test {
namespace {

class MainProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    ASSERT_EQ(Setting(kValPath), "0");
    ASSERT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).value, "0");
  }
  void TearDown() override { ResetSettings(); }

  static std::string Setting(const char* name) { return ReadSetting(name).value; }
  static uint32_t SettingNumber(const char* name) { return ReadSettingInteger(name).value; }

  // Brings the settings window up the way a user does from a second start.
  static HWND ShowWindowOf(GantrixProcess& gantrix, const Install& install) {
    ChildProcess second(install / "Gantrix.exe", "");
    EXPECT_TRUE(second.WaitExit(30000)) << "a second start ends by itself";
    HWND w = gantrix.MainWindow();
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(w) != FALSE; }));
    EXPECT_TRUE(BringToFront(w));
    return w;
  }

  static void WriteLanguageFile(const Install& install, const std::string& file, const std::string& body) {
    ASSERT_TRUE(WriteFileBytes(install / ("language\\" + file), body));
  }

  Install install_;
};

TEST_F(MainProgram, FirstStartStoresFoldersStartsHooksAndHides) {
  HostProcess host;
  ASSERT_TRUE(host.started());
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.started());
  ASSERT_TRUE(gantrix.WaitStarted());

  EXPECT_EQ(Setting(kValPath), install_.dir());
  EXPECT_EQ(Setting(kValProfilesPath), install_.dir() + "profiles\\");
  EXPECT_EQ(Setting(kValLanguagePath), install_.dir() + "language\\");
  // Nothing else is written on a first start.
  EXPECT_EQ(Setting(kValShortCut), "0");
  EXPECT_EQ(Setting(kValShortCut2), "0");
  EXPECT_EQ(ReadSettingInteger(kValRaveloHotKey).value, 0u);

  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_NE(block->GetMessageHook, 0u);
  EXPECT_NE(block->CallWndProcHook, 0u);
  EXPECT_NE(block->CallWndProcRetHook, 0u);
  EXPECT_EQ(block->PanelKey, VK_OEM_3);  // the key named "`"
  EXPECT_EQ(block->PanelShift, kMaskCtrl);
  EXPECT_EQ(block->RaveloKey, 'Z');
  EXPECT_EQ(block->RaveloShift, kMaskCtrl | kMaskAlt);
  EXPECT_EQ(block->RaveloMode, 1);
  EXPECT_EQ(block->RaveloOn, 1);

  // The hook library is mapped into a program that retrieves messages.
  PostMessageW(host.window(), WM_NULL, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return ProcessHasModule(host.pid(), L"GantrixHook.dll"); }));
  EXPECT_FALSE(IsWindowVisible(gantrix.MainWindow()));
  EXPECT_EQ(WindowText(gantrix.MainWindow()), "Gantrix 1.4");
}

TEST_F(MainProgram, WindowLayoutTextsStatesAndTabOrder) {
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  HWND w = gantrix.MainWindow();
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 516);
  EXPECT_EQ(client.bottom, 238);
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  const struct {
    int id;
    RECT place;  // left, top, right, bottom in the window's client area
    const char* text;
    bool enabled;
    bool visible;
  } controls[] = {
      {TMainForm::kGroupBox2, {2, 0, 201, 177}, "Gantrix Settings", true, true},
      {TMainForm::kLabel1, {10, 17, 195, 58}, "Keys combination which calls Gantrix panel", true, true},
      {TMainForm::kHotKey1, {10, 62, 131, 81}, nullptr, true, true},
      {TMainForm::kLabel7, {10, 88, 199, 169},
       "When you press these keys the panel will appear, and you may customize\r\nit. This keys combination is "
       "also used for hiding the panel.",
       true, true},
      {TMainForm::kGroupBox3, {205, 0, 513, 177}, "Ravelo Settings", true, true},
      {TMainForm::kCheckBox2, {213, 16, 406, 33}, "Ravelo function is active", true, true},
      {TMainForm::kRadioButton1, {213, 72, 326, 89}, "Ctrl + SPACEBAR", true, true},
      {TMainForm::kRadioButton2, {213, 89, 406, 106}, "Left Windows key + SPACEBAR", true, true},
      {TMainForm::kRadioButton3, {213, 109, 230, 126}, "", true, true},
      {TMainForm::kHotKey2, {231, 107, 352, 126}, nullptr, true, true},
      {TMainForm::kLabel9, {213, 128, 508, 169}, nullptr, true, true},
      {TMainForm::kCheckBox1, {11, 184, 201, 201}, "Run at Windows startup", true, true},
      {TMainForm::kButton1, {8, 208, 83, 233}, "Start", false, true},
      {TMainForm::kButton2, {88, 208, 163, 233}, "Stop", true, true},
      {TMainForm::kLabel2, {208, 184, 513, 233},
       "After changing of settings you need to restart the program by pressing Stop | Start", true, false},
  };
  for (const auto& c : controls) {
    HWND control = GetDlgItem(w, c.id);
    ASSERT_TRUE(control) << c.id;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.place.left) << c.id;
    EXPECT_EQ(r.top, c.place.top) << c.id;
    EXPECT_EQ(r.right, c.place.right) << c.id;
    EXPECT_EQ(r.bottom, c.place.bottom) << c.id;
    if (c.text) {
      EXPECT_EQ(WindowText(control), c.text) << c.id;
    }
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled) << c.id;
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0, c.visible) << c.id;
  }
  EXPECT_EQ(SendMessageW(GetDlgItem(w, TMainForm::kCheckBox2), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(w, TMainForm::kRadioButton1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(w, TMainForm::kCheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Tab order is the z-order of the controls that take the focus (of the
  // radio buttons, the system keeps a tab stop on the checked one only).
  const std::vector<int> focusable = {TMainForm::kButton1,      TMainForm::kButton2,      TMainForm::kCheckBox1,
                                      TMainForm::kHotKey1,      TMainForm::kCheckBox2,    TMainForm::kRadioButton1,
                                      TMainForm::kRadioButton2, TMainForm::kRadioButton3, TMainForm::kHotKey2};
  std::vector<int> order;
  for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (std::find(focusable.begin(), focusable.end(), GetDlgCtrlID(c)) != focusable.end())
      order.push_back(GetDlgCtrlID(c));
  for (int id : {TMainForm::kButton1, TMainForm::kButton2, TMainForm::kCheckBox1, TMainForm::kHotKey1,
                 TMainForm::kCheckBox2, TMainForm::kRadioButton1, TMainForm::kHotKey2})
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(w, id), GWL_STYLE) & WS_TABSTOP) << id;
  const std::vector<int> expected = {TMainForm::kButton1,      TMainForm::kButton2,      TMainForm::kCheckBox1,
                                     TMainForm::kHotKey1,      TMainForm::kCheckBox2,    TMainForm::kRadioButton1,
                                     TMainForm::kRadioButton2, TMainForm::kRadioButton3, TMainForm::kHotKey2};
  EXPECT_EQ(order, expected);
}

// The program's own failure boxes, found in its process and answered with OK.
TEST_F(MainProgram, ReportsAMissingHookLibraryAndGoesOn) {
  ASSERT_TRUE(DeleteFileW(Widen(install_ / "GantrixHook.dll").c_str()));
  GantrixProcess gantrix(install_);
  EXPECT_EQ(PressNextBox(gantrix.pid()), (Box{"Error Load Libray", "Brastow"}));
  HWND w = gantrix.MainWindow();
  ASSERT_TRUE(WaitFor([&] { return FindTopWindow(gantrix.pid(), L"TMainForm") && !IsWindowVisible(w); }));
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kButton1))) << "shown as started all the same";
  PostMessageW(w, WM_CLOSE, 0, 0);
  const std::vector<Box> boxes = BoxesUntil(gantrix.pid(), [&] { return gantrix.process().WaitExit(0); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("UnmapViewOfFile Error-", 0), 0u) << boxes[0];
  EXPECT_EQ(boxes[0].caption, "Message from mainhook.dll");
}

TEST_F(MainProgram, ReportsALibraryWithoutItsThirdHook) {
  ASSERT_TRUE(CopyFileW(Widen(ProgramDir() + "noret\\GantrixHook.dll").c_str(),
                        Widen(install_ / "GantrixHook.dll").c_str(), FALSE));
  GantrixProcess gantrix(install_);
  EXPECT_EQ(PressNextBox(gantrix.pid()), (Box{"Error Get CallWNDProcRet Adress", "Gantrix.exe"}));
  ASSERT_TRUE(gantrix.WaitStarted());
  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_NE(block->GetMessageHook, 0u);
  EXPECT_NE(block->CallWndProcHook, 0u);
  EXPECT_EQ(block->CallWndProcRetHook, 0u);
  EXPECT_FALSE(FindBox(gantrix.pid())) << "one box only";
  PostMessageW(gantrix.MainWindow(), WM_CLOSE, 0, 0);
  BoxesUntil(gantrix.pid(), [&] { return gantrix.process().WaitExit(0); });
  EXPECT_FALSE(ReadBlock());
}

TEST_F(MainProgram, StoredOddValuesAreWrittenBackInTheirNormalForm) {
  ASSERT_TRUE(WriteSettingInteger(kValRaveloHotKey, 5));
  ASSERT_TRUE(WriteSettingInteger(kValRaveloEnable, 7));
  ASSERT_TRUE(WriteSetting(kValShortCut, "Shift+F5"));
  ASSERT_TRUE(WriteSetting(kValShortCut2, "alt+ctrl+q"));
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  EXPECT_EQ(SettingNumber(kValRaveloHotKey), 2u);
  EXPECT_EQ(SettingNumber(kValRaveloEnable), 1u);
  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_EQ(block->PanelKey, VK_F5);
  EXPECT_EQ(block->PanelShift, kMaskShift);
  EXPECT_EQ(block->RaveloKey, 'Q');
  EXPECT_EQ(block->RaveloShift, kMaskCtrl | kMaskAlt);
  EXPECT_EQ(block->RaveloMode, 3);
  EXPECT_EQ(block->RaveloOn, 0);
  // A cleared switch greys out the Ravelo controls.
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kRadioButton1)));
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kHotKey2)));
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kLabel8)));
}

TEST_F(MainProgram, ChangesWhileStartedReachTheBlockAndTheHosts) {
  HostProcess host;
  ASSERT_TRUE(host.started());
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  HWND w = ShowWindowOf(gantrix, install_);

  // The switch: stored inverted, greys the mode controls, updates every process.
  const int updatesBefore = host.Count("WM_GantrixUpdate");
  PressButton(gantrix.Control(TMainForm::kCheckBox2));
  ASSERT_TRUE(host.WaitForLine("WM_GantrixUpdate", updatesBefore + 1));
  EXPECT_EQ(SettingNumber(kValRaveloEnable), 1u);
  EXPECT_EQ(ReadBlock()->RaveloOn, 0);
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kRadioButton2)));
  EXPECT_FALSE(IsWindowEnabled(gantrix.Control(TMainForm::kLabel9)));
  PressButton(gantrix.Control(TMainForm::kCheckBox2));
  ASSERT_TRUE(host.WaitForLine("WM_GantrixUpdate", updatesBefore + 2));
  EXPECT_EQ(SettingNumber(kValRaveloEnable), 0u);
  EXPECT_EQ(ReadBlock()->RaveloOn, 1);

  // The mode.
  PressButton(gantrix.Control(TMainForm::kRadioButton2));
  ASSERT_TRUE(WaitFor([&] { return ReadBlock()->RaveloMode == 2; }));
  EXPECT_EQ(SettingNumber(kValRaveloHotKey), 1u);

  // The panel key, typed into its edit.
  ASSERT_TRUE(ClickToFocus(gantrix.Control(TMainForm::kHotKey1)));
  PressKeys({VK_CONTROL, VK_SHIFT, 'A'});
  ASSERT_TRUE(WaitFor([&] { return ReadBlock()->PanelKey == 'A'; }));
  EXPECT_EQ(ReadBlock()->PanelShift, kMaskCtrl | kMaskShift);
  EXPECT_EQ(Setting(kValShortCut), "Shift+Ctrl+A");

  // Entering the custom key's edit selects the custom mode; typing stores the key.
  ASSERT_TRUE(ClickToFocus(gantrix.Control(TMainForm::kHotKey2)));
  ASSERT_TRUE(WaitFor([&] { return ReadBlock()->RaveloMode == 3; }));
  EXPECT_EQ(SettingNumber(kValRaveloHotKey), 2u);
  PressKeys({VK_F7});
  ASSERT_TRUE(WaitFor([&] { return ReadBlock()->RaveloKey == VK_F7; }));
  EXPECT_EQ(ReadBlock()->RaveloShift, 0);
  EXPECT_EQ(Setting(kValShortCut2), "F7");
  EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(MainProgram, StopAndStartFromTheButtons) {
  HostProcess host;
  ASSERT_TRUE(host.started());
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  ShowWindowOf(gantrix, install_);

  PressButton(gantrix.Control(TMainForm::kButton2));
  ASSERT_TRUE(host.WaitForLine("WM_CLOSEHOOKGANTRIX"));
  ASSERT_TRUE(WaitFor([&] { return !ReadBlock(); })) << "Stop releases the block";
  // Another process switches the two buttons one after the other.
  EXPECT_TRUE(WaitFor([&] {
    return IsWindowEnabled(gantrix.Control(TMainForm::kButton1)) &&
           !IsWindowEnabled(gantrix.Control(TMainForm::kButton2));
  }));

  // While stopped a change goes to the registry only.
  const int updates = host.Count("WM_GantrixUpdate");
  PressButton(gantrix.Control(TMainForm::kRadioButton2));
  ASSERT_TRUE(WaitFor([&] { return SettingNumber(kValRaveloHotKey) == 1u; }));
  EXPECT_FALSE(ReadBlock());

  PressButton(gantrix.Control(TMainForm::kButton1));
  ASSERT_TRUE(WaitFor([&] { return ReadBlock() && ReadBlock()->RaveloOn == 1; }));
  EXPECT_EQ(ReadBlock()->RaveloMode, 2) << "the next Start uses the new mode";
  EXPECT_EQ(host.Count("WM_GantrixUpdate"), updates);
}

TEST_F(MainProgram, ClosingWhileStartedStopsFirstWhileStoppedDoesNot) {
  HostProcess host;
  ASSERT_TRUE(host.started());
  {
    GantrixProcess gantrix(install_);
    ASSERT_TRUE(gantrix.WaitStarted());
    ASSERT_TRUE(gantrix.Close());
    EXPECT_EQ(host.Count("WM_CLOSEHOOKGANTRIX"), 1);
    EXPECT_FALSE(ReadBlock());
  }
  {
    GantrixProcess gantrix(install_);
    ASSERT_TRUE(gantrix.WaitStarted());
    ShowWindowOf(gantrix, install_);
    PressButton(gantrix.Control(TMainForm::kButton2));
    ASSERT_TRUE(host.WaitForLine("WM_CLOSEHOOKGANTRIX", 2));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(gantrix.Control(TMainForm::kButton1)) != FALSE; }));
    ASSERT_TRUE(gantrix.Close());
    EXPECT_EQ(host.Count("WM_CLOSEHOOKGANTRIX"), 2) << "no second Stop when closing stopped";
  }
}

TEST_F(MainProgram, SecondStartActivatesTheRunningOneAndEnds) {
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  const GlobalHookData before = *ReadBlock();
  ChildProcess second(install_ / "Gantrix.exe", "");
  ASSERT_TRUE(second.WaitExit(30000));
  DWORD code = 1;
  GetExitCodeProcess(second.handle(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(TopWindows(second.pid(), L"TMainForm").empty());
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(gantrix.MainWindow()) != FALSE; }));
  const GlobalHookData after = *ReadBlock();
  EXPECT_EQ(0, memcmp(&before, &after, sizeof before)) << "the running hooks stay untouched";
}

TEST_F(MainProgram, StartWithWindowsEntry) {
  // An entry left by an installation elsewhere: showing the window ticks the
  // box, which writes the entry again with this program's path.
  ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, "C:\\Old place\\Gantrix.exe m"));
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  ShowWindowOf(gantrix, install_);
  EXPECT_EQ(SendMessageW(gantrix.Control(TMainForm::kCheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
  // The bare path, unquoted even with blanks, and " m".
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).value, install_.dir() + "Gantrix.exe m");

  PressButton(gantrix.Control(TMainForm::kCheckBox1));
  ASSERT_TRUE(WaitFor([&] { return ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).value == "0"; }));
  PressButton(gantrix.Control(TMainForm::kCheckBox1));
  ASSERT_TRUE(WaitFor([&] { return ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).value != "0"; }));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue).value, install_.dir() + "Gantrix.exe m");
}

TEST_F(MainProgram, LanguageFileRelabelsTheWindowAndTheAboutBox) {
  WriteLanguageFile(install_, "a.ini",
                    "[Info]\r\nLanguage=Testish\r\nTranslator=T. Tester\r\nVersion=1.4\r\n"
                    "[Gantrix]\r\n3=Begin\r\n4=Halt\r\n5=\r\n6=Panel keys\r\n"
                    "[About]\r\n1=About it\r\n3=Thanks\r\n");
  WriteLanguageFile(install_, "b.ini", "[Info]\r\nLanguage=Other\r\nVersion=2\r\n[Gantrix]\r\n3=Go\r\n");
  ASSERT_TRUE(WriteSetting(kValLanguage, "Testish"));
  GantrixProcess gantrix(install_);
  ASSERT_TRUE(gantrix.WaitStarted());
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kButton1)), "Begin");
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kButton2)), "Halt");
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kCheckBox1)), "") << "a present empty key is empty";
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kGroupBox2)), "Panel keys");
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kGroupBox3)), "Ravelo Settings") << "missing key: default";

  // The About box in the chosen language, listing each translation once per showing.
  HWND w = gantrix.MainWindow();
  for (int showing = 0; showing < 2; ++showing) {
    PostMessageW(w, WM_COMMAND, TMainForm::kAbout1, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = FindTopWindow(gantrix.pid(), L"TAbout", true)) != nullptr; }));
    EXPECT_EQ(WindowText(about), "About it");
    EXPECT_EQ(WindowText(GetDlgItem(about, TAbout::kLabel19)), "Thanks");
    EXPECT_EQ(WindowText(GetDlgItem(about, TAbout::kLabel1)), "Our reliable Internet partner:");
    const std::string memo = WindowText(GetDlgItem(about, TAbout::kMemo1));
    const std::string a = "Testish  Translate version 1.4; T. Tester";
    const std::string b = "Other  Translate version 2; ";
    EXPECT_TRUE(memo == a + "\r\n" + b || memo == b + "\r\n" + a) << memo;
    PostMessageW(GetDlgItem(about, TAbout::kButton1), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }));
  }

  // Choosing the other language from the menu re-labels at once and stores it.
  // Menu entries follow the folder listing.
  const std::vector<std::string> files = ListLanguageFiles(install_ / "language\\");
  ASSERT_EQ(files.size(), 2u);
  const int other = TMainForm::kFirstLanguageEntry + (ReadLanguageInfo(files[0]).language == "Other" ? 0 : 1);
  PostMessageW(w, WM_COMMAND, static_cast<WPARAM>(other), 0);
  ASSERT_TRUE(WaitFor([&] { return WindowText(gantrix.Control(TMainForm::kButton1)) == "Go"; }));
  EXPECT_EQ(Setting(kValLanguage), "Other");
  EXPECT_EQ(WindowText(gantrix.Control(TMainForm::kButton2)), "Stop");
}

}  // namespace
}  // namespace gx::test
