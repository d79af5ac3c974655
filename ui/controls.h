#pragma once
// Non-owning views of the standard controls our windows use: each method is one
// message with typed arguments.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "ui/window.h"

namespace gx::ui {

class Button : public Window {
 public:
  using Window::Window;
  static constexpr const wchar_t* kClass = L"BUTTON";
  static Button Create(HWND parent, const std::string& text, int x, int y, int w, int h, int id,
                       DWORD style = BS_PUSHBUTTON | WS_TABSTOP) {
    return Button(CreateControl(parent, kClass, text, style, x, y, w, h, id));
  }
};

class CheckBox : public Button {
 public:
  using Button::Button;
  static CheckBox Create(HWND parent, const std::string& text, int x, int y, int w, int h, int id) {
    return CheckBox(CreateControl(parent, kClass, text, BS_AUTOCHECKBOX | WS_TABSTOP, x, y, w, h, id));
  }
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

class RadioButton : public CheckBox {
 public:
  using CheckBox::CheckBox;
  static RadioButton Create(HWND parent, const std::string& text, int x, int y, int w, int h, int id,
                            bool firstOfGroup) {
    return RadioButton(CreateControl(parent, kClass, text,
                                     BS_AUTORADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0), x, y, w, h,
                                     id));
  }
};

class GroupBox : public Window {
 public:
  using Window::Window;
  static GroupBox Create(HWND parent, const std::string& text, int x, int y, int w, int h, int id) {
    return GroupBox(CreateControl(parent, Button::kClass, text, BS_GROUPBOX, x, y, w, h, id));
  }
};

class Label : public Window {
 public:
  using Window::Window;
  static constexpr const wchar_t* kClass = L"STATIC";
  // Labels wrap their words; SS_NOTIFY lets link labels report clicks.
  static Label Create(HWND parent, const std::string& text, int x, int y, int w, int h, int id,
                      DWORD style = SS_LEFT) {
    return Label(CreateControl(parent, kClass, text, style, x, y, w, h, id));
  }
};

// A read-only, multi-line text box.
class Memo : public Window {
 public:
  using Window::Window;
  static constexpr const wchar_t* kClass = L"EDIT";
  void Clear() const { SetText(""); }
  void AddLine(const std::string& line) const;
};

// The hot-key edit holds a 16-bit shortcut value (virtual key in the low byte,
// 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt), whatever the control's own encoding.
class HotKeyEdit : public Window {
 public:
  using Window::Window;
  static constexpr const wchar_t* kClass = HOTKEY_CLASSW;
  static HotKeyEdit Create(HWND parent, int x, int y, int w, int h, int id);
  uint16_t Shortcut() const;
  void SetShortcut(uint16_t shortcut) const;
};

// Conversions between the control's value and our shortcut value.
uint16_t HotKeyToShortcut(WORD hotKey);
WORD ShortcutToHotKey(uint16_t shortcut);

// A window's menu entries by command id.
class Menu {
 public:
  explicit Menu(HMENU menu) : menu_(menu) {}
  HMENU handle() const { return menu_; }
  void SetText(UINT id, const std::string& text) const;
  std::string Text(UINT id) const;
  void Enable(UINT id, bool on) const { EnableMenuItem(menu_, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }
  bool Enabled(UINT id) const;
  void Append(UINT id, const std::string& text) const;
  void AppendSeparator() const { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }
  HMENU AppendPopup(const std::string& text) const;

 private:
  HMENU menu_;
};

}  // namespace gx::ui
