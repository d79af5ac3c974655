// The settings window built in this process, where its menus can be read
// (Wine keeps the menus of other processes out of reach).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/about.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/unicode.h"
#include "main/mainform.h"
#include "tests/win32/testutil.h"

namespace gx {
namespace {

std::vector<std::string> Items(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
    items.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) ? "-" : Narrow(text));
  }
  return items;
}

bool Enabled(HMENU menu, UINT id) { return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)); }

class MainForm : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str());
    CreateDirectoryW(Widen(LanguageDir()).c_str(), nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
  }
  void TearDown() override {
    DeleteFileW(Widen(LanguageDir() + "t.ini").c_str());
    RemoveDirectoryW(Widen(LanguageDir()).c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str());
  }
};

TEST_F(MainForm, MenusTrayMenuAndTheirTranslation) {
  ASSERT_TRUE(test::WriteFileBytes(LanguageDir() + "t.ini",
                                   "[Info]\r\nLanguage=Testish\r\n[Gantrix]\r\n3=Begin\r\n4=Halt\r\n"
                                   "[Menu]\r\n3=Quit\r\n4=Aid\r\n7=About it\r\n10=Tongue\r\n11=Topics\r\n"));
  TAbout about;
  TMainForm form(GetModuleHandleW(nullptr), about);
  ASSERT_TRUE(form.Create());
  HMENU bar = GetMenu(form.hwnd());
  EXPECT_EQ(Items(bar), (std::vector<std::string>{"Language", "Help"}));
  EXPECT_EQ(Items(GetSubMenu(bar, 0)), (std::vector<std::string>{"Testish"}));
  EXPECT_EQ(Items(GetSubMenu(bar, 1)), (std::vector<std::string>{"Help Topics\tF1", "-", "About Gantrix",
                                                                  "Go to Gantrix Home Page", "FAQ in Internet"}));
  HMENU tray = form.TrayMenu();
  EXPECT_EQ(Items(tray), (std::vector<std::string>{"Start", "Stop", "-", "Exit"}));
  // Started at once: Start and Stop in opposite states, buttons and entries alike.
  EXPECT_FALSE(Enabled(tray, TMainForm::kStartMenu));
  EXPECT_TRUE(Enabled(tray, TMainForm::kStopMenu));
  form.Button2Click();
  EXPECT_TRUE(Enabled(tray, TMainForm::kStartMenu));
  EXPECT_FALSE(Enabled(tray, TMainForm::kStopMenu));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(form.hwnd(), TMainForm::kButton1)));

  // Choosing the language from its menu re-labels the menus; the tray's Start
  // and Stop follow the buttons.
  SendMessageW(form.hwnd(), WM_COMMAND, TMainForm::kFirstLanguageEntry, 0);
  EXPECT_EQ(ReadSetting(kValLanguage).value, "Testish");
  EXPECT_EQ(Items(bar), (std::vector<std::string>{"Tongue", "Aid"}));
  EXPECT_EQ(Items(GetSubMenu(bar, 1)),
            (std::vector<std::string>{"Topics\tF1", "-", "About it", "Go to Gantrix Home Page", "FAQ in Internet"}));
  EXPECT_EQ(Items(tray), (std::vector<std::string>{"Begin", "Halt", "-", "Quit"}));

  // F1 is the accelerator of the help topics.
  MSG f1{form.hwnd(), WM_KEYDOWN, VK_F1, 0, 0, {0, 0}};
  EXPECT_TRUE(TranslateAcceleratorW(form.hwnd(), form.Accelerators(), &f1));
}

}  // namespace
}  // namespace gx
