// The hook library's per-process state, driven in this process: what the load
// copies from the block and what "WM_GantrixUpdate" copies again.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "common/handle.h"
#include "common/hookdata.h"
#include "hook/procs.h"
#include "hook/state.h"
#include "tests/system/systemtest.h"

namespace gx::test {
namespace {

// Runs `step` on a thread of its own and fails if it shows a message box,
// which is then closed so the step can end.
void ExpectNoBox(const std::function<void()>& step) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    step();
    done = true;
  });
  HWND box = nullptr;
  WaitFor([&] { return done || (box = FindTopWindow(GetCurrentProcessId(), L"#32770", true)) != nullptr; });
  if (box) {
    ADD_FAILURE() << "a box was shown: " << WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  worker.join();
}

void PassUpdate() {
  MSG update{};
  update.message = RegisterWindowMessageA(kMsgUpdate);
  hook::OnGetMessage(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&update));
  EXPECT_EQ(update.message, RegisterWindowMessageA(kMsgUpdate)) << "the message goes on unchanged";
}

TEST(HookState, UpdateCopiesOnlyTheKeySettingsAndFailsSilently) {
  ASSERT_FALSE(ReadBlock()) << "no installer may be running";
  UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHookBlockSize,
                                          kHookBlockName));
  UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kHookBlockSize));
  ASSERT_TRUE(view);
  GlobalHookData& block = *static_cast<GlobalHookData*>(view.get());
  block = {0x10001, 0x10002, 0x10003, 'A', 4, 0, 'B', 1, 3, 1, {}};

  EXPECT_FALSE(hook::LoadFromBlock().Any());
  hook::HookHandles hooks = hook::CurrentHooks();
  EXPECT_EQ(hooks.GetMessageHook, 0x10001u);
  EXPECT_EQ(hooks.CallWndProcHook, 0x10002u);
  EXPECT_EQ(hooks.CallWndProcRetHook, 0x10003u);

  // Every field changes, the handles too; the update takes the keys only.
  block = {0x20001, 0x20002, 0x20003, 'C', 2, 0, 'D', 6, 1, 0, {}};
  PassUpdate();
  hooks = hook::CurrentHooks();
  EXPECT_EQ(hooks.GetMessageHook, 0x10001u);
  EXPECT_EQ(hooks.CallWndProcHook, 0x10002u);
  EXPECT_EQ(hooks.CallWndProcRetHook, 0x10003u);
  hook::KeySettings keys = hook::CurrentKeys();
  EXPECT_EQ(keys.PanelKey, 'C');
  EXPECT_EQ(keys.PanelShift, 2);
  EXPECT_EQ(keys.RaveloKey, 'D');
  EXPECT_EQ(keys.RaveloShift, 6);
  EXPECT_EQ(keys.RaveloMode, 1);
  EXPECT_EQ(keys.RaveloOn, 0);

  // Without a block the settings stay, and nothing is shown.
  view.reset();
  mapping.reset();
  ExpectNoBox(PassUpdate);
  keys = hook::CurrentKeys();
  EXPECT_EQ(keys.PanelKey, 'C');
  EXPECT_EQ(keys.RaveloShift, 6);

  // A load without a block starts from zero and reports the three failures.
  const hook::LoadReport load = hook::LoadFromBlock();
  EXPECT_TRUE(load.openFailed && load.noView && load.noHandle);
  EXPECT_FALSE(load.unmapFailed || load.closeFailed);
  EXPECT_EQ(hook::CurrentHooks().GetMessageHook, 0u);
  EXPECT_EQ(hook::CurrentKeys().PanelKey, 0);
}

}  // namespace
}  // namespace gx::test
