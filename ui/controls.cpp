#include "ui/controls.h"

#include "common/hookdata.h"
#include "common/unicode.h"

namespace gx::ui {

void Memo::AddLine(const std::string& line) const {
  const std::string current = Text();
  SetText(current.empty() ? line : current + "\r\n" + line);
}

HotKeyEdit HotKeyEdit::Create(HWND parent, int x, int y, int w, int h, int id) {
  HotKeyEdit edit(CreateControl(parent, kClass, "", WS_TABSTOP | WS_BORDER, x, y, w, h, id));
  // Any combination is taken as typed: no invalid combinations, nothing added.
  edit.Send(HKM_SETRULES, 0, 0);
  return edit;
}

uint16_t HotKeyToShortcut(WORD hotKey) {
  const BYTE vk = LOBYTE(hotKey);
  const BYTE mods = HIBYTE(hotKey);
  uint16_t shortcut = vk;
  if (mods & HOTKEYF_SHIFT) shortcut |= kShortcutShift;
  if (mods & HOTKEYF_CONTROL) shortcut |= kShortcutCtrl;
  if (mods & HOTKEYF_ALT) shortcut |= kShortcutAlt;
  return vk ? shortcut : 0;
}

WORD ShortcutToHotKey(uint16_t shortcut) {
  BYTE mods = 0;
  if (shortcut & kShortcutShift) mods |= HOTKEYF_SHIFT;
  if (shortcut & kShortcutCtrl) mods |= HOTKEYF_CONTROL;
  if (shortcut & kShortcutAlt) mods |= HOTKEYF_ALT;
  const BYTE vk = static_cast<BYTE>(shortcut & 0xFF);
  return vk ? MAKEWORD(vk, mods) : 0;
}

uint16_t HotKeyEdit::Shortcut() const { return HotKeyToShortcut(static_cast<WORD>(Send(HKM_GETHOTKEY))); }
void HotKeyEdit::SetShortcut(uint16_t shortcut) const { Send(HKM_SETHOTKEY, ShortcutToHotKey(shortcut)); }

void Menu::SetText(UINT id, const std::string& text) const {
  std::wstring w = Widen(text);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = w.data();
  SetMenuItemInfoW(menu_, id, FALSE, &info);
}

std::string Menu::Text(UINT id) const {
  wchar_t buffer[512] = {};
  const int n = GetMenuStringW(menu_, id, buffer, 512, MF_BYCOMMAND);
  return n > 0 ? Narrow(std::wstring(buffer, static_cast<size_t>(n))) : std::string();
}

bool Menu::Enabled(UINT id) const {
  const UINT state = GetMenuState(menu_, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void Menu::Append(UINT id, const std::string& text) const { AppendMenuW(menu_, MF_STRING, id, Widen(text).c_str()); }

HMENU Menu::AppendPopup(const std::string& text) const {
  HMENU popup = CreatePopupMenu();
  AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), Widen(text).c_str());
  return popup;
}

}  // namespace gx::ui
