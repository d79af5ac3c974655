#pragma once
// The settings window of the main program and its notification-area icon.

#include <windows.h>

#include <memory>
#include <string>

#include "common/about.h"
#include "main/hookinstaller.h"
#include "ui/controls.h"
#include "ui/trayicon.h"
#include "ui/window.h"

namespace gx {

class TMainForm : public ui::WindowClass<TMainForm> {
 public:
  static const wchar_t* ClassName() { return L"TMainForm"; }
  static constexpr char kCaption[] = "Gantrix 1.4";
  static constexpr char kAppTitle[] = "Gantrix";
  // Posted by a second start of the program to bring this one to the front.
  static UINT ActivateMessage();

  enum : int {
    kButton1 = 201,
    kButton2,
    kCheckBox1,
    kGroupBox2,
    kLabel1,
    kHotKey1,
    kLabel7,
    kGroupBox3,
    kCheckBox2,
    kLabel8,
    kRadioButton1,
    kRadioButton2,
    kRadioButton3,
    kHotKey2,
    kLabel9,
    kLabel2,
  };
  enum : UINT {
    kHelpTopics1 = 301,
    kAbout1,
    kOpenPagewww1,
    kFAQininternet1,
    kStartMenu = 501,
    kStopMenu,
    kExit1,
    kFirstLanguageEntry = 1000,
  };

  TMainForm(HINSTANCE instance, TAbout& about);
  ~TMainForm() override;

  // Builds the window and runs the start-up sequence; the window ends hidden
  // with only the icon showing.
  bool Create();
  HACCEL Accelerators() const { return accelerators_; }
  HMENU TrayMenu() const { return trayMenu_; }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Event handlers.
  void FormCreate();
  void FormShow();
  void FormClose();
  void Button1Click();
  void Button2Click();
  void HotKey1Change();
  void HotKey2Change();
  void HotKey2Enter();
  void RadioButton1Click();
  void CheckBox2Click();
  void CheckBox1Click();
  void abfTrayIcon1Click();
  void MayMenuClick(UINT id);
  void HelpTopics1Click();
  void About1Click();
  void OpenPagewww1Click();
  void FAQininternet1Click();
  void Exit1Click();
  void UpdateFM();
  void Loadlanguage(const std::string& name);

  static std::string FaqPage();

 private:
  void BuildControls();
  void BuildMenus();
  void BuildLanguageMenu();
  void SetRunning(bool running);
  // Changing a check state by program runs the click handler, as a click does,
  // when the state actually changes.
  void SetRadio(int id);
  void SetCheckBox2(bool on);
  void SetCheckBox1(bool on);
  uint8_t RaveloMode() const;
  void ShowTrayMenu();
  void MinimizeToTray();
  void RestoreFromTray();
  static LRESULT CALLBACK HotKeySubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;

  HINSTANCE instance_;
  TAbout& about_;
  HookInstaller installer_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HACCEL accelerators_ = nullptr;
  std::unique_ptr<ui::TrayIcon> tray_;
  HMENU trayMenu_ = nullptr;
  HMENU languageMenu_ = nullptr;
  HMENU helpMenu_ = nullptr;
  bool creating_ = false;
  HWND lastFocus_ = nullptr;

  ui::Button button1_, button2_;
  ui::CheckBox checkBox1_, checkBox2_;
  ui::GroupBox groupBox2_, groupBox3_;
  ui::Label label1_, label7_, label8_, label9_, label2_;
  ui::HotKeyEdit hotKey1_, hotKey2_;
  ui::RadioButton radioButton1_, radioButton2_, radioButton3_;
};

}  // namespace gx
