#pragma once
// Starting and stopping the system: the shared block, the hook library and its
// three system-wide hooks.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "common/handle.h"
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

 private:
  // A load result of 32 or less means no library (the Win16 convention kept).
  bool LibraryLoaded() const;
  void BroadcastClose() const;

  std::function<RaveloChoice()> ravelo_;
  UINT closeMessage_ = 0;
  UINT updateMessage_ = 0;
  // Declared in this order so that, should the installer go without Stop, the
  // view goes first, then the library, then the mapping.
  UniqueHandle mapping_;  // GlobalHookDataMMFHandle
  UniqueModule library_;  // HookLibrary
  UniqueView view_;       // GlobalHookData
};

}  // namespace gx
