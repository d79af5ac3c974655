#include "common/hookdata.h"

#include <gtest/gtest.h>

#include <cstring>

namespace gx {
namespace {

struct SplitCase {
  const char* what;
  uint16_t shortcut;
  uint16_t key;
  uint8_t mask;
};

TEST(HookData, ShortcutSplitsIntoKeyAndMask) {
  const SplitCase cases[] = {
      {"Ctrl+A", 16449, 65, 4},
      {"Ctrl+Alt+Z", 49242, 90, 6},
      {"Shift+F5", 0x2000 | 0x74, 116, 1},
      {"Shift+Ctrl+Alt+`", 0xE000 | 0xC0, 0xC0, 7},
      {"key alone", 0x20, 0x20, 0},
      {"no key", 0, 0, 0},
      // Bits above the key that are no modifier stay with the key field.
      {"high key bits", 0x1FFF, 0x1FFF, 0},
  };
  for (const SplitCase& c : cases) {
    const KeyCombination k = SplitShortcut(c.shortcut);
    EXPECT_EQ(k.key, c.key) << c.what;
    EXPECT_EQ(k.mask, c.mask) << c.what;
  }
}

TEST(HookData, RaveloModeOtherThanOneAndTwoIsCustom) {
  EXPECT_EQ(EffectiveRaveloMode(1), RaveloCombination::CtrlSpace);
  EXPECT_EQ(EffectiveRaveloMode(2), RaveloCombination::WinSpace);
  for (int v : {0, 3, 4, 7, 255})
    EXPECT_EQ(EffectiveRaveloMode(static_cast<uint8_t>(v)), RaveloCombination::Custom) << v;
}

TEST(HookData, KeySettingsLandAtTheirOffsetsAndLeaveTheRestAlone) {
  unsigned char raw[24];
  std::memset(raw, 0, sizeof raw);
  auto* block = reinterpret_cast<GlobalHookData*>(raw);
  block->GetMessageHook = 0x11223344;
  WriteKeySettings(*block, 0x40C0 /* Ctrl+` */, 49242 /* Ctrl+Alt+Z */, 3, true);

  const unsigned char expected[24] = {0x44, 0x33, 0x22, 0x11, 0, 0, 0, 0, 0, 0, 0, 0,
                                      0xC0, 0x00, 4,    0,    90, 0, 6, 3, 1, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(raw, expected, sizeof raw));

  WriteKeySettings(*block, 0, 0, 1, false);
  EXPECT_EQ(raw[19], 1);
  EXPECT_EQ(raw[20], 0);
  EXPECT_EQ(raw[15], 0);
  EXPECT_EQ(raw[21] | raw[22] | raw[23], 0);
}

}  // namespace
}  // namespace gx
