#pragma once
// The text form of a key combination as the registry stores it ("Ctrl+Alt+Z").

#include <cstdint>
#include <functional>
#include <string>

namespace gx {

// The keyboard layout's name for a key without a fixed name, "" when it has none.
using KeyNameFn = std::function<std::string(uint8_t virtualKey)>;

// Fixed name of a key, "" for keys the layout has to name.
std::string FixedKeyName(uint8_t virtualKey);

// Modifier prefixes Shift+, Ctrl+, Alt+ in this order, then the key name; a
// combination without a named key gives "".
std::string ShortcutToText(uint16_t shortcut, const KeyNameFn& layoutName);

// Modifier prefixes in any order and letter case ("^" is Ctrl), then a key name
// compared without case against every key code from 8 upwards. 0 when no key matches.
uint16_t TextToShortcut(const std::string& text, const KeyNameFn& layoutName);

}  // namespace gx
