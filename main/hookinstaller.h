#pragma once
// Starting and stopping the system: the shared block, the hook library and its
// three system-wide hooks.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "common/hookdata.h"

namespace gx {

// The Ravelo mode (1, 2 or 3) and switch, read from the settings window at the
// moment StartHooks fills the block.
struct RaveloChoice {
  uint8_t mode;
  bool on;
};

class HookInstaller {
 public:
  explicit HookInstaller(std::function<RaveloChoice()> ravelo);
  ~HookInstaller();
  HookInstaller(const HookInstaller&) = delete;
  HookInstaller& operator=(const HookInstaller&) = delete;

  bool StartHooks(uint16_t panelKey, uint8_t panelShift, uint16_t raveloKey, uint8_t raveloShift);
  bool StopHooks();

  // The installer's read-write view of the block while started, else nullptr.
  GlobalHookData* Block() const;
  // "WM_GantrixUpdate" as the last StartHooks registered it.
  UINT UpdateMessage() const;
};

}  // namespace gx
