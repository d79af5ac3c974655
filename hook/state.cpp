#include "hook/state.h"

#include <atomic>

#include "common/hookdata.h"

namespace gx::hook {
namespace {

HookHandles g_hooks{};
KeySettings g_keys{};
bool g_menuBarLoop = false;

// Written by whichever thread first needs them (a hook procedure or the thread
// that shows the load boxes), so they are atomics; the numbers are the same
// in every thread, so a second registration only repeats the first.
std::atomic<bool> g_registered{false};
std::atomic<UINT> g_closeHook{0};
std::atomic<UINT> g_openWindow{0};
std::atomic<UINT> g_update{0};
std::atomic<UINT> g_updateWindow{0};

HHOOK AsHook(uint32_t value) { return reinterpret_cast<HHOOK>(static_cast<uintptr_t>(value)); }

// The block is written by another process; each field is read once, with its own width.
void CopyKeys(const volatile GlobalHookData& block, KeySettings& keys) {
  keys.PanelKey = block.PanelKey;
  keys.PanelShift = block.PanelShift;
  keys.RaveloKey = block.RaveloKey;
  keys.RaveloShift = block.RaveloShift;
  keys.RaveloMode = block.RaveloMode;
  keys.RaveloOn = block.RaveloOn;
}

HANDLE OpenBlock() { return OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kHookBlockName); }

const volatile GlobalHookData* MapBlock(HANDLE mapping) {
  return static_cast<const volatile GlobalHookData*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kHookBlockSize));
}

// "<text><decimal error>" into a fixed buffer: the box path allocates nothing.
class ErrorText {
 public:
  ErrorText(const wchar_t* text, DWORD error) {
    size_t n = 0;
    while (text[n] && n + 11 < kSize) {
      buffer_[n] = text[n];
      ++n;
    }
    wchar_t digits[10];
    size_t count = 0;
    do {
      digits[count++] = static_cast<wchar_t>(L'0' + error % 10);
      error /= 10;
    } while (error);
    while (count) buffer_[n++] = digits[--count];
    buffer_[n] = 0;
  }
  const wchar_t* get() const { return buffer_; }

 private:
  static constexpr size_t kSize = 96;
  wchar_t buffer_[kSize];
};

void Box(const wchar_t* text, const wchar_t* caption) { MessageBoxW(nullptr, text, caption, MB_OK); }

}  // namespace

HookHandles CurrentHooks() noexcept { return g_hooks; }
KeySettings CurrentKeys() noexcept { return g_keys; }

HHOOK GetMessageHookHandle() noexcept { return AsHook(g_hooks.GetMessageHook); }
HHOOK CallWndProcHookHandle() noexcept { return AsHook(g_hooks.CallWndProcHook); }
HHOOK CallWndProcRetHookHandle() noexcept { return AsHook(g_hooks.CallWndProcRetHook); }

Messages RegisteredMessages() noexcept {
  if (!g_registered.load(std::memory_order_acquire)) {
    g_closeHook.store(RegisterWindowMessageA(kMsgCloseHook), std::memory_order_relaxed);
    g_openWindow.store(RegisterWindowMessageA(kMsgOpenWindow), std::memory_order_relaxed);
    g_update.store(RegisterWindowMessageA(kMsgUpdate), std::memory_order_relaxed);
    g_updateWindow.store(RegisterWindowMessageA(kMsgUpdateWindow), std::memory_order_relaxed);
    g_registered.store(true, std::memory_order_release);
  }
  return {g_closeHook.load(std::memory_order_relaxed), g_openWindow.load(std::memory_order_relaxed),
          g_update.load(std::memory_order_relaxed), g_updateWindow.load(std::memory_order_relaxed)};
}

LoadReport LoadFromBlock() noexcept {
  g_hooks = {};
  g_keys = {};
  LoadReport report;
  HANDLE mapping = OpenBlock();
  const volatile GlobalHookData* view = nullptr;
  if (mapping) {
    view = MapBlock(mapping);
    if (view) {
      g_hooks.GetMessageHook = view->GetMessageHook;
      g_hooks.CallWndProcHook = view->CallWndProcHook;
      g_hooks.CallWndProcRetHook = view->CallWndProcRetHook;
      CopyKeys(*view, g_keys);
    }
  } else {
    report.openFailed = true;
    report.openError = GetLastError();
  }
  if (!view) {
    report.noView = true;
    report.viewError = GetLastError();
  } else if (!UnmapViewOfFile(const_cast<GlobalHookData*>(view))) {
    report.unmapFailed = true;
    report.unmapError = GetLastError();
  }
  if (!mapping) {
    report.noHandle = true;
    report.handleError = GetLastError();
  } else if (!CloseHandle(mapping)) {
    report.closeFailed = true;
    report.closeError = GetLastError();
  }
  return report;
}

void RefreshKeySettings() noexcept {
  HANDLE mapping = OpenBlock();
  if (!mapping) return;
  if (const volatile GlobalHookData* view = MapBlock(mapping)) {
    CopyKeys(*view, g_keys);
    UnmapViewOfFile(const_cast<GlobalHookData*>(view));
  }
  CloseHandle(mapping);
}

void ShowLoadBoxes(const LoadReport& r) noexcept {
  constexpr wchar_t kLibrary[] = L"Message from GantrixHook.dll";
  constexpr wchar_t kGantrixDll[] = L"Message from Gantrix.dll";
  if (r.openFailed) Box(L"FGlobalHookDataMMFHandle/OpenFileMapping не установлен !", kLibrary);
  if (r.noView) Box(ErrorText(L"GlobalHookData=0!  Error-", r.viewError).get(), kGantrixDll);
  if (r.unmapFailed) Box(ErrorText(L"UnmapViewOfFile(in)=0!  Error-", r.unmapError).get(), kGantrixDll);
  if (r.noHandle) Box(ErrorText(L"GlobalHookDataMMFHandle=0!  Error-", r.handleError).get(), kGantrixDll);
  if (r.closeFailed) Box(ErrorText(L"CloseHandle(in)=0!  Error-", r.closeError).get(), kGantrixDll);
}

bool MenuBarLoop() noexcept { return g_menuBarLoop; }
void SetMenuBarLoop(bool menuBar) noexcept { g_menuBarLoop = menuBar; }

}  // namespace gx::hook
