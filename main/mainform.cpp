#include "main/mainform.h"

#include <commctrl.h>
#include <shellapi.h>

#include "common/language.h"
#include "common/names.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/shortcut.h"
#include "common/unicode.h"
#include "common/winutils.h"

namespace gx {

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kTrayId = 1;
constexpr int kIconResource = 1;

const char kLabel7Text[] =
    "When you press these keys the panel will appear, and you may customize\r\n"
    "it. This keys combination is also used for hiding the panel.";
const char kLabel8Text[] =
    "The function allows to call the last menu you refered to. For that you should press \"Ctrl + SPACEBAR\", "
    "\"Left Windows key + SPACEBAR\" or any desired keys:";
const char kLabel9Text[] =
    "If while chousing a command from menu you keep Ctrl button or right button of mouse pressed, then at "
    "combination keystroke the parent menu for the chosen item will appear.";
const char kLabel2Text[] = "After changing of settings you need to restart the program by pressing Stop | Start";

std::string ProgramPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Narrow(path);
}

void OpenWithShell(const std::string& target) {
  ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

UINT TMainForm::ActivateMessage() {
  static const UINT message = RegisterWindowMessageW(L"Gantrix.ActivateRunningInstance");
  return message;
}

std::string TMainForm::FaqPage() { return "http://www.example.org/gantrix/faq.html"; }

TMainForm::TMainForm(HINSTANCE instance, TAbout& about)
    : instance_(instance),
      about_(about),
      installer_([this] { return RaveloChoice{RaveloMode(), checkBox2_.Checked()}; }) {}

TMainForm::~TMainForm() {
  tray_.reset();
  if (trayMenu_) DestroyMenu(trayMenu_);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

bool TMainForm::Create() {
  icon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 32, 32, 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, 16, 16, 0));
  Register(instance_, icon_);
  HMENU menu = CreateMenu();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  if (!CreateCentred(instance_, kCaption, style, WS_EX_CONTROLPARENT, 516, 238, nullptr, menu)) return false;
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  BuildControls();
  BuildMenus();
  tray_ = std::make_unique<ui::TrayIcon>(hwnd_, kTrayId, kTrayCallback, smallIcon_, kAppTitle);
  FormCreate();
  return true;
}

void TMainForm::BuildControls() {
  HWND w = hwnd_;
  // Creation order is the tab order: Button1, Button2, CheckBox1, HotKey1,
  // CheckBox2, the radio buttons, HotKey2. Controls inside a group box are
  // placed relative to it.
  button1_ = ui::Button::Create(w, "Start", 8, 208, 75, 25, kButton1);
  button2_ = ui::Button::Create(w, "Stop", 88, 208, 75, 25, kButton2);
  button2_.Enable(false);
  checkBox1_ = ui::CheckBox::Create(w, "Run at Windows startup", 11, 184, 190, 17, kCheckBox1);

  const int g2x = 2, g2y = 0;
  groupBox2_ = ui::GroupBox::Create(w, "Gantrix Settings", g2x, g2y, 199, 177, kGroupBox2);
  label1_ = ui::Label::Create(w, "Keys combination which calls Gantrix panel", g2x + 8, g2y + 17, 185, 41, kLabel1);
  hotKey1_ = ui::HotKeyEdit::Create(w, g2x + 8, g2y + 62, 121, 19, kHotKey1);
  label7_ = ui::Label::Create(w, kLabel7Text, g2x + 8, g2y + 88, 189, 81, kLabel7);

  const int g3x = 205, g3y = 0;
  groupBox3_ = ui::GroupBox::Create(w, "Ravelo Settings", g3x, g3y, 308, 177, kGroupBox3);
  checkBox2_ = ui::CheckBox::Create(w, "Ravelo function is active", g3x + 8, g3y + 16, 193, 17, kCheckBox2);
  checkBox2_.SetChecked(true);
  label8_ = ui::Label::Create(w, kLabel8Text, g3x + 8, g3y + 32, 297, 39, kLabel8, SS_LEFT | SS_NOPREFIX);
  radioButton1_ = ui::RadioButton::Create(w, "Ctrl + SPACEBAR", g3x + 8, g3y + 72, 113, 17, kRadioButton1, true);
  radioButton2_ =
      ui::RadioButton::Create(w, "Left Windows key + SPACEBAR", g3x + 8, g3y + 89, 193, 17, kRadioButton2, false);
  radioButton3_ = ui::RadioButton::Create(w, "", g3x + 8, g3y + 109, 17, 17, kRadioButton3, false);
  radioButton1_.SetChecked(true);
  hotKey2_ = ui::HotKeyEdit::Create(w, g3x + 26, g3y + 107, 121, 19, kHotKey2);
  SetWindowLongPtrW(hotKey2_.hwnd(), GWL_STYLE, GetWindowLongPtrW(hotKey2_.hwnd(), GWL_STYLE) | WS_GROUP);
  hotKey2_.SetShortcut(kShortcutCtrl | kShortcutAlt | 'Z');
  SetWindowSubclass(hotKey2_.hwnd(), &TMainForm::HotKeySubclass, 1, reinterpret_cast<DWORD_PTR>(this));
  label9_ = ui::Label::Create(w, kLabel9Text, g3x + 8, g3y + 128, 295, 41, kLabel9);

  label2_ = ui::Label::Create(w, kLabel2Text, 208, 184, 305, 49, kLabel2);
  label2_.Hide();
}

void TMainForm::BuildMenus() {
  const ui::Menu bar(GetMenu(hwnd_));
  languageMenu_ = bar.AppendPopup("Language");
  helpMenu_ = bar.AppendPopup("Help");
  const ui::Menu help(helpMenu_);
  help.Append(kHelpTopics1, "Help Topics\tF1");
  help.AppendSeparator();
  help.Append(kAbout1, "About Gantrix");
  help.Append(kOpenPagewww1, "Go to Gantrix Home Page");
  help.Append(kFAQininternet1, "FAQ in Internet");
  DrawMenuBar(hwnd_);

  ACCEL accel{FVIRTKEY, VK_F1, static_cast<WORD>(kHelpTopics1)};
  accelerators_ = CreateAcceleratorTableW(&accel, 1);

  trayMenu_ = CreatePopupMenu();
  const ui::Menu tray(trayMenu_);
  tray.Append(kStartMenu, "Start");
  tray.Append(kStopMenu, "Stop");
  tray.Enable(kStopMenu, false);
  tray.AppendSeparator();
  tray.Append(kExit1, "Exit");
}

void TMainForm::FormCreate() {
  creating_ = true;
  const std::string install = InstallDir();
  WriteSetting(kValProfilesPath, install + kProfilesSubdir);
  WriteSetting(kValPath, install);
  WriteSetting(kValLanguagePath, install + kLanguageSubdir);

  const std::string shortCut = SettingText(kValShortCut);
  hotKey1_.SetShortcut(TextToShortcut(shortCut != kAbsentText ? shortCut : kDefaultPanelShortcut, LayoutKeyName));
  const std::string shortCut2 = SettingText(kValShortCut2);
  if (shortCut2 != kAbsentText) hotKey2_.SetShortcut(TextToShortcut(shortCut2, LayoutKeyName));

  const RegRead<uint32_t> mode = ReadSettingInteger(kValRaveloHotKey);
  const uint32_t m = mode.ok() ? mode.value : 0;
  SetRadio(m == 0 ? kRadioButton1 : m == 1 ? kRadioButton2 : kRadioButton3);
  const RegRead<uint32_t> enable = ReadSettingInteger(kValRaveloEnable);
  SetCheckBox2(enable.ok() && enable.value == 0);

  BuildLanguageMenu();
  const std::string language = SettingText(kValLanguage);
  if (language != kAbsentText) Loadlanguage(language);

  Button1Click();
  creating_ = false;
  MinimizeToTray();
}

void TMainForm::BuildLanguageMenu() {
  const ui::Menu menu(languageMenu_);
  UINT id = kFirstLanguageEntry;
  for (const std::string& file : ListLanguageFiles(LanguageDir()))
    menu.Append(id++, IniText(file, kInfoSection, "Language", ""));
  DrawMenuBar(hwnd_);
}

void TMainForm::FormShow() {
  const RegRead<std::string> entry = ReadRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
  SetCheckBox1(entry.ok() && entry.value != kAbsentText);
}

void TMainForm::FormClose() {
  if (button2_.Enabled()) Button2Click();
}

void TMainForm::SetRunning(bool running) {
  const ui::Menu tray(trayMenu_);
  button1_.Enable(!running);
  tray.Enable(kStartMenu, !running);
  button2_.Enable(running);
  tray.Enable(kStopMenu, running);
}

void TMainForm::Button1Click() {
  SetRunning(true);
  const KeyCombination panel = SplitShortcut(hotKey1_.Shortcut());
  const KeyCombination ravelo = SplitShortcut(hotKey2_.Shortcut());
  installer_.StartHooks(panel.key, panel.mask, ravelo.key, ravelo.mask);
}

void TMainForm::Button2Click() {
  installer_.StopHooks();
  SetRunning(false);
}

void TMainForm::HotKey1Change() {
  WriteSetting(kValShortCut, ShortcutToText(hotKey1_.Shortcut(), LayoutKeyName));
  UpdateFM();
}

void TMainForm::HotKey2Change() {
  SetRadio(kRadioButton3);
  WriteSetting(kValShortCut2, ShortcutToText(hotKey2_.Shortcut(), LayoutKeyName));
  RadioButton1Click();
}

void TMainForm::HotKey2Enter() {
  SetRadio(kRadioButton3);
  RadioButton1Click();
}

uint8_t TMainForm::RaveloMode() const {
  if (radioButton1_.Checked()) return 1;
  if (radioButton2_.Checked()) return 2;
  return 3;
}

void TMainForm::RadioButton1Click() {
  WriteSettingInteger(kValRaveloHotKey, static_cast<uint32_t>(RaveloMode() - 1));
  UpdateFM();
}

void TMainForm::CheckBox2Click() {
  const bool on = checkBox2_.Checked();
  WriteSettingInteger(kValRaveloEnable, on ? 0 : 1);
  for (ui::Window* control :
       std::initializer_list<ui::Window*>{&radioButton1_, &radioButton2_, &radioButton3_, &hotKey2_, &label8_, &label9_})
    control->Enable(on);
  UpdateFM();
}

void TMainForm::CheckBox1Click() {
  if (checkBox1_.Checked())
    WriteRegString(HKEY_LOCAL_MACHINE, kRunKey, kRunValue, ProgramPath() + kRunSuffix);
  else
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValue);
}

void TMainForm::SetRadio(int id) {
  ui::RadioButton* buttons[] = {&radioButton1_, &radioButton2_, &radioButton3_};
  const ui::RadioButton* target = id == kRadioButton1 ? buttons[0] : id == kRadioButton2 ? buttons[1] : buttons[2];
  if (target->Checked()) return;
  for (ui::RadioButton* b : buttons) b->SetChecked(b == target);
  RadioButton1Click();
}

void TMainForm::SetCheckBox2(bool on) {
  if (checkBox2_.Checked() == on) return;
  checkBox2_.SetChecked(on);
  CheckBox2Click();
}

void TMainForm::SetCheckBox1(bool on) {
  if (checkBox1_.Checked() == on) return;
  checkBox1_.SetChecked(on);
  CheckBox1Click();
}

void TMainForm::UpdateFM() {
  if (button1_.Enabled()) return;
  HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (GlobalHookData* block = installer_.Block()) {
    WriteKeySettings(*block, hotKey1_.Shortcut(), hotKey2_.Shortcut(), RaveloMode(), checkBox2_.Checked());
    PostMessageW(HWND_BROADCAST, installer_.UpdateMessage(), 0, 0);
  }
  SetCursor(old);
}

void TMainForm::MinimizeToTray() {
  tray_->Show();
  Hide();
}

void TMainForm::RestoreFromTray() {
  tray_->Show();
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void TMainForm::abfTrayIcon1Click() { RestoreFromTray(); }

void TMainForm::ShowTrayMenu() {
  POINT p{};
  GetCursorPos(&p);
  // The menu closes when the user clicks elsewhere only if we are in front.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(trayMenu_, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void TMainForm::MayMenuClick(UINT id) {
  const std::string name = CleanMenuCaptionMain(ui::Menu(languageMenu_).Text(id));
  Loadlanguage(name);
  WriteSetting(kValLanguage, name);
}

void TMainForm::Loadlanguage(const std::string& name) {
  const std::optional<std::string> file = FindLanguageFile(LanguageDir(), name);
  if (!file) return;
  const LanguageTexts t(*file);
  const char* g = "Gantrix";
  button1_.SetText(t.Get(g, 3, "Start"));
  button2_.SetText(t.Get(g, 4, "Stop"));
  checkBox1_.SetText(t.Get(g, 5, "Run at Windows startup"));
  groupBox2_.SetText(t.Get(g, 6, "Gantrix Settings"));
  groupBox3_.SetText(t.Get(g, 7, "Ravelo Settings"));
  label1_.SetText(t.Get(g, 8, "Keys combination which calls Gantrix panel"));
  label7_.SetText(t.Get(g, 9,
                        "For making changes of keys combination put cursor to this line and press the desired keys "
                        "combination"));
  checkBox2_.SetText(t.Get(g, 10, "Ravelo function is active"));
  label8_.SetText(t.Get(g, 11, kLabel8Text));
  radioButton1_.SetText(t.Get(g, 12, "Ctrl + SPACEBAR"));
  radioButton2_.SetText(t.Get(g, 13, "Left Windows key + SPACEBAR"));
  label9_.SetText(t.Get(g, 14, kLabel9Text));
  label2_.SetText(t.Get(g, 15, kLabel2Text));

  const ui::Menu tray(trayMenu_);
  const ui::Menu bar(GetMenu(hwnd_));
  const ui::Menu help(helpMenu_);
  tray.SetText(kExit1, t.Get("Menu", 3, "Exit"));
  // The two pop-ups of the menu bar are addressed by position.
  auto setPopupText = [&](int position, const std::string& text) {
    std::wstring w = Widen(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = w.data();
    SetMenuItemInfoW(bar.handle(), static_cast<UINT>(position), TRUE, &info);
  };
  setPopupText(1, t.Get("Menu", 4, "Help"));
  help.SetText(kAbout1, t.Get("Menu", 7, "About Gantrix"));
  help.SetText(kOpenPagewww1, t.Get("Menu", 8, "Go to Gantrix Home Page"));
  help.SetText(kFAQininternet1, t.Get("Menu", 9, "FAQ in Internet"));
  setPopupText(0, t.Get("Menu", 10, "Language"));
  help.SetText(kHelpTopics1, t.Get("Menu", 11, "Help Topics") + "\tF1");
  DrawMenuBar(hwnd_);

  tray.SetText(kStartMenu, button1_.Text());
  tray.SetText(kStopMenu, button2_.Text());
}

void TMainForm::HelpTopics1Click() { OpenWithShell(InstallDir() + "Gantrix Help.chm"); }
void TMainForm::About1Click() { about_.ShowModal(hwnd_); }
void TMainForm::OpenPagewww1Click() { OpenWithShell(TAbout::HomePage()); }
void TMainForm::FAQininternet1Click() { OpenWithShell(FaqPage()); }
void TMainForm::Exit1Click() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

LRESULT CALLBACK TMainForm::HotKeySubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR data) noexcept {
  if (msg == WM_SETFOCUS) {
    const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    try {
      reinterpret_cast<TMainForm*>(data)->HotKey2Enter();
    } catch (...) {
    }
    return result;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TMainForm::HotKeySubclass, 1);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == ui::TrayIcon::TaskbarCreatedMessage()) {
    tray_->Restore();
    return 0;
  }
  if (msg == ActivateMessage()) {
    RestoreFromTray();
    return 0;
  }
  switch (msg) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wp);
      const UINT code = HIWORD(wp);
      if (id >= kFirstLanguageEntry && lp == 0) {
        MayMenuClick(id);
        return 0;
      }
      switch (id) {
        case kButton1:
          if (code == BN_CLICKED) Button1Click();
          break;
        case kButton2:
          if (code == BN_CLICKED) Button2Click();
          break;
        case kStartMenu:
          Button1Click();
          break;
        case kStopMenu:
          Button2Click();
          break;
        case kCheckBox1:
          if (code == BN_CLICKED) CheckBox1Click();
          break;
        case kCheckBox2:
          if (code == BN_CLICKED) CheckBox2Click();
          break;
        case kRadioButton1:
        case kRadioButton2:
        case kRadioButton3:
          if (code == BN_CLICKED) RadioButton1Click();
          break;
        case kHotKey1:
          if (code == EN_CHANGE) HotKey1Change();
          break;
        case kHotKey2:
          if (code == EN_CHANGE) HotKey2Change();
          break;
        case kHelpTopics1:
          HelpTopics1Click();
          break;
        case kAbout1:
          About1Click();
          break;
        case kOpenPagewww1:
          OpenPagewww1Click();
          break;
        case kFAQininternet1:
          FAQininternet1Click();
          break;
        case kExit1:
          Exit1Click();
          break;
        default:
          break;
      }
      return 0;
    }
    case kTrayCallback:
      switch (LOWORD(lp)) {
        case WM_LBUTTONUP:
          abfTrayIcon1Click();
          break;
        case WM_LBUTTONDBLCLK:
          if (Visible()) MinimizeToTray();
          else RestoreFromTray();
          break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
          ShowTrayMenu();
          break;
        default:
          break;
      }
      return 0;
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case WM_ACTIVATE:
      // Keep the focused control across deactivation, like a dialog box.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      // The control that had the focus, else the first one that can take it
      // in tab order ("Stop" while started).
      HWND target = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                        ? lastFocus_
                        : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
      if (target) SetFocus(target);
      return 0;
    }
    case WM_SIZE:
      if (wp == SIZE_MINIMIZED && !creating_) {
        MinimizeToTray();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      const bool green = control == label7_.hwnd() || control == label8_.hwnd() || control == label9_.hwnd() ||
                         control == label2_.hwnd();
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      const bool enabled = IsWindowEnabled(control) != FALSE;
      SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : green ? kGreen : GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
      FormClose();
      tray_->Hide();
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace gx
