#include "common/shortcut.h"

#include "common/hookdata.h"
#include "common/textcase.h"

namespace gx {

std::string FixedKeyName(uint8_t vk) {
  static const char* const kNav[] = {"Space", "PgUp", "PgDn", "End",  "Home",
                                     "Left",  "Up",   "Right", "Down"};
  switch (vk) {
    case 0x08: return "BkSp";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x1B: return "Esc";
    case 0x2D: return "Ins";
    case 0x2E: return "Del";
    default: break;
  }
  if (vk >= 0x20 && vk <= 0x28) return kNav[vk - 0x20];
  if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
  if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk));
  // Keypad digits read as the digits of the main row.
  if (vk >= 0x60 && vk <= 0x69) return std::string(1, static_cast<char>('0' + (vk - 0x60)));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x70 + 1);
  return {};
}

static std::string KeyName(uint8_t vk, const KeyNameFn& layoutName) {
  std::string name = FixedKeyName(vk);
  if (name.empty() && layoutName) name = layoutName(vk);
  return name;
}

std::string ShortcutToText(uint16_t shortcut, const KeyNameFn& layoutName) {
  const std::string name = KeyName(static_cast<uint8_t>(shortcut & 0xFF), layoutName);
  if (name.empty()) return {};
  std::string text;
  if (shortcut & kShortcutShift) text += "Shift+";
  if (shortcut & kShortcutCtrl) text += "Ctrl+";
  if (shortcut & kShortcutAlt) text += "Alt+";
  return text + name;
}

static bool TakeFront(std::string& text, const char* front) {
  const std::string f(front);
  if (text.size() < f.size() || !EqualsNoCase(text.substr(0, f.size()), f)) return false;
  text.erase(0, f.size());
  return true;
}

uint16_t TextToShortcut(const std::string& input, const KeyNameFn& layoutName) {
  std::string text = input;
  uint16_t modifiers = 0;
  for (;;) {
    if (TakeFront(text, "Shift+")) modifiers |= kShortcutShift;
    else if (TakeFront(text, "^")) modifiers |= kShortcutCtrl;
    else if (TakeFront(text, "Ctrl+")) modifiers |= kShortcutCtrl;
    else if (TakeFront(text, "Alt+")) modifiers |= kShortcutAlt;
    else break;
  }
  if (text.empty()) return 0;
  for (unsigned vk = 8; vk <= 0xFF; ++vk) {
    const std::string name = KeyName(static_cast<uint8_t>(vk), layoutName);
    if (!name.empty() && EqualsNoCase(name, text)) return static_cast<uint16_t>(vk | modifiers);
  }
  return 0;
}

}  // namespace gx
