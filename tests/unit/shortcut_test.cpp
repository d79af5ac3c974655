#include "common/shortcut.h"

#include <gtest/gtest.h>

namespace gx {
namespace {

// A layout that names the grave key "`" and the minus key "-", as the US one does.
std::string UsLayout(uint8_t vk) {
  if (vk == 0xC0) return "`";
  if (vk == 0xBD) return "-";
  if (vk == 0x6A) return "Num *";
  return {};
}
std::string NoGraveLayout(uint8_t vk) { return vk == 0xBD ? "-" : ""; }

TEST(Shortcut, FormatsModifiersInFixedOrder) {
  const struct {
    uint16_t value;
    const char* text;
  } cases[] = {
      {0x4000 | 0xC0, "Ctrl+`"},
      {0xC000 | 'Z', "Ctrl+Alt+Z"},
      {0xE000 | 'A', "Shift+Ctrl+Alt+A"},
      {0x2000 | 0x74, "Shift+F5"},
      {0x87, "F24"},
      {0x08, "BkSp"},
      {0x0D, "Enter"},
      {0x1B, "Esc"},
      {0x20, "Space"},
      {0x21, "PgUp"},
      {0x28, "Down"},
      {0x2D, "Ins"},
      {0x2E, "Del"},
      {0x4000 | 0x61, "Ctrl+1"},  // keypad digit
      {0x4000 | 0xBD, "Ctrl+-"},
      {0x4000, ""},   // modifiers without a key
      {0x4000 | 0xFF, ""},  // a key the layout has no name for
  };
  for (const auto& c : cases) EXPECT_EQ(ShortcutToText(c.value, UsLayout), c.text) << c.text;
}

TEST(Shortcut, ParsesPrefixesInAnyOrderAndCase) {
  const struct {
    const char* text;
    uint16_t value;
  } cases[] = {
      {"Ctrl+`", 0x4000 | 0xC0},
      {"alt+ctrl+z", 0xC000 | 'Z'},
      {"ALT+SHIFT+CTRL+a", 0xE000 | 'A'},
      {"^Z", 0x4000 | 'Z'},
      {"^Alt+f5", 0xC000 | 0x74},
      {"Shift+F5", 0x2000 | 0x74},
      {"space", 0x20},
      {"Ctrl+1", 0x4000 | '1'},  // a keypad digit comes back as the main row's
      {"Ctrl+-", 0x4000 | 0xBD},
      {"Num *", 0x6A},
      {"", 0},
      {"Ctrl+", 0},
      {"Ctrl+NoSuchKey", 0},
      {"Ctrl+ A", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToShortcut(c.text, UsLayout), c.value) << c.text;
}

TEST(Shortcut, DefaultPanelKeyIsNoKeyWhereNoKeyIsNamedGrave) {
  EXPECT_EQ(TextToShortcut("Ctrl+`", NoGraveLayout), 0);
}

TEST(Shortcut, EveryNamedKeyRoundTrips) {
  for (unsigned vk = 8; vk <= 0xFF; ++vk) {
    for (unsigned mods : {0x0000u, 0x2000u, 0x4000u, 0x8000u, 0xE000u}) {
      const uint16_t value = static_cast<uint16_t>(vk | mods);
      const std::string text = ShortcutToText(value, UsLayout);
      if (text.empty()) continue;
      const bool keypadDigit = vk >= 0x60 && vk <= 0x69;
      const uint16_t expected = keypadDigit ? static_cast<uint16_t>((vk - 0x60 + '0') | mods) : value;
      EXPECT_EQ(TextToShortcut(text, UsLayout), expected) << text;
    }
  }
}

}  // namespace
}  // namespace gx
