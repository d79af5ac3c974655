#pragma once
// The block of named shared memory through which the main program hands the
// hook handles and the key settings to every copy of the hook library, and the
// registered messages that tell those copies what to do.

#include <cstddef>
#include <cstdint>

namespace gx {

#pragma pack(push, 1)
struct GlobalHookData {
  // Hook handles as 32-bit values on both architectures: window-manager
  // handles fit in 32 bits, and the layout must not depend on the reader.
  uint32_t GetMessageHook;
  uint32_t CallWndProcHook;
  uint32_t CallWndProcRetHook;
  uint16_t PanelKey;
  uint8_t PanelShift;
  uint8_t Reserved15;
  uint16_t RaveloKey;
  uint8_t RaveloShift;
  uint8_t RaveloMode;
  uint8_t RaveloOn;
  uint8_t Reserved21[3];
};
#pragma pack(pop)

static_assert(sizeof(GlobalHookData) == 24, "the block is 24 bytes");
static_assert(offsetof(GlobalHookData, GetMessageHook) == 0);
static_assert(offsetof(GlobalHookData, CallWndProcHook) == 4);
static_assert(offsetof(GlobalHookData, CallWndProcRetHook) == 8);
static_assert(offsetof(GlobalHookData, PanelKey) == 12);
static_assert(offsetof(GlobalHookData, PanelShift) == 14);
static_assert(offsetof(GlobalHookData, Reserved15) == 15);
static_assert(offsetof(GlobalHookData, RaveloKey) == 16);
static_assert(offsetof(GlobalHookData, RaveloShift) == 18);
static_assert(offsetof(GlobalHookData, RaveloMode) == 19);
static_assert(offsetof(GlobalHookData, RaveloOn) == 20);
static_assert(offsetof(GlobalHookData, Reserved21) == 21);

inline constexpr uint32_t kHookBlockSize = sizeof(GlobalHookData);
inline constexpr char kHookBlockName[] = "GantrixHookName";

// Registered message names, in the order the hook library registers them.
inline constexpr char kMsgCloseHook[] = "WM_CLOSEHOOKGANTRIX";
inline constexpr char kMsgUpdate[] = "WM_GantrixUpdate";
inline constexpr char kMsgOpenWindow[] = "WM_OpenMayWindowGANTRIX";
inline constexpr char kMsgUpdateWindow[] = "WM_GantrixUpdateWindow";

// Modifier mask bits of PanelShift and RaveloShift.
inline constexpr uint8_t kMaskShift = 1;
inline constexpr uint8_t kMaskAlt = 2;
inline constexpr uint8_t kMaskCtrl = 4;

// Flags of a 16-bit shortcut value as the hot-key edits of the main window hold it.
inline constexpr uint16_t kShortcutShift = 0x2000;
inline constexpr uint16_t kShortcutCtrl = 0x4000;
inline constexpr uint16_t kShortcutAlt = 0x8000;
inline constexpr uint16_t kShortcutKeyBits = 0x1FFF;

struct KeyCombination {
  uint16_t key;
  uint8_t mask;
};

constexpr KeyCombination SplitShortcut(uint16_t shortcut) {
  uint8_t mask = 0;
  if (shortcut & kShortcutShift) mask |= kMaskShift;
  if (shortcut & kShortcutAlt) mask |= kMaskAlt;
  if (shortcut & kShortcutCtrl) mask |= kMaskCtrl;
  return {static_cast<uint16_t>(shortcut & kShortcutKeyBits), mask};
}

enum class RaveloCombination : uint8_t { CtrlSpace = 1, WinSpace = 2, Custom = 3 };

// Anything but 1 and 2, the 0 of an unfilled block included, is the custom one.
constexpr RaveloCombination EffectiveRaveloMode(uint8_t stored) {
  return stored == 1 ? RaveloCombination::CtrlSpace
         : stored == 2 ? RaveloCombination::WinSpace
                       : RaveloCombination::Custom;
}

// Writes the six key fields in their order; the handles and reserved bytes stay.
void WriteKeySettings(GlobalHookData& block, uint16_t panelShortcut, uint16_t raveloShortcut,
                      uint8_t raveloMode, bool raveloOn);

}  // namespace gx
