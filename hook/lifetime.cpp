#include "hook/lifetime.h"

#include "hook/ravelo.h"

#include "hook/panels.h"
#include "hook/state.h"

namespace gx::hook {
namespace {

HINSTANCE g_instance = nullptr;
// Filled before the report thread starts and only read by it.
LoadReport g_report;

// Runs once the loader lock is released, since the thread cannot start before
// the load notification returns. It holds its own reference to the library, so
// a FreeLibrary right after the load cannot unmap the code under it.
DWORD WINAPI ReportLoad(void* self) {
  RegisteredMessages();
  ShowLoadBoxes(g_report);
  FreeLibraryAndExitThread(static_cast<HMODULE>(self), 0);
}

}  // namespace

void OnProcessAttach(HINSTANCE instance) noexcept {
  g_instance = instance;
  DisableThreadLibraryCalls(instance);
  g_report = LoadFromBlock();
  if (!g_report.Any()) return;
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ReportLoad), &self))
    return;
  if (HANDLE thread = CreateThread(nullptr, 0, ReportLoad, self, 0, nullptr)) CloseHandle(thread);
  else FreeLibrary(self);
}

// Panels are dropped, not saved, when the copy goes.
void OnProcessDetach() noexcept {
  ClearRaveloEntries();
  AbandonPanels();
}

HINSTANCE Instance() noexcept { return g_instance; }

}  // namespace gx::hook
