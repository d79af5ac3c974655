// The hook installer and the hook library across real processes: the driver
// fixture runs StartHooks and StopHooks beside a chosen GantrixHook.dll, host
// programs get the library through the hooks, and the test reads the block,
// the modules of the hosts and every message box on the way.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/hookdata.h"
#include "common/unicode.h"
#include "tests/fixtures/probe.h"
#include "tests/system/systemtest.h"

namespace gx::test {
namespace {

using namespace std::chrono_literals;

// The driver's command line: panel key ` with Ctrl, Ravelo F6 with Shift+Alt,
// Ravelo mode 2, Ravelo on. Each field differs from the others.
constexpr char kKeys[] = "192 4 117 3 2 1";
constexpr UINT kChangeSettings = WM_APP + 1;  // see hookdriver.cpp

// "<prefix><decimal digits>", nothing else.
::testing::AssertionResult EndsInErrorNumber(const std::string& text, const std::string& prefix) {
  const bool digits = text.size() > prefix.size() &&
                      text.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
  if (text.compare(0, prefix.size(), prefix) == 0 && digits) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "[" << text << "] is not [" << prefix << "] and an error number";
}

// Folders of the build with the driver beside a stand-in GantrixHook.dll.
std::string ProbeDir() { return ProgramDir() + "probe\\"; }
std::string NoRetDir() { return ProgramDir() + "noret\\"; }

// A folder with only the driver: no library to load.
class LonelyDriverDir {
 public:
  LonelyDriverDir() {
    CopyFileW(Widen(ProgramDir() + "hookdriver.exe").c_str(), Widen(dir_ / "hookdriver.exe").c_str(), FALSE);
  }
  const std::string& path() const { return dir_.path(); }

 private:
  TempDir dir_;
};

class Driver {
 public:
  Driver(const std::string& dir, const std::string& keys) : process_(dir + "hookdriver.exe", keys) {}
  DWORD pid() const { return process_.pid(); }
  // The window appears once StartHooks has returned.
  HWND Window() {
    if (!window_) WaitFor([&] { return (window_ = FindTopWindow(pid(), L"GantrixTestDriver")) != nullptr; });
    return window_;
  }
  // Runs StopHooks in the driver; the boxes it showed.
  std::vector<Box> Stop() {
    HWND w = Window();
    PostMessageW(w, WM_CLOSE, 0, 0);
    return BoxesUntil(pid(), [&] { return WindowText(w) == "Stopped"; });
  }
  bool stopped() { return WindowText(Window()) == "Stopped"; }
  // Ends the driver after Stop: bit 0 set when StartHooks returned false, bit 1 when StopHooks did.
  DWORD Exit() {
    PostMessageW(Window(), WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    if (process_.WaitExit(30000)) GetExitCodeProcess(process_.handle(), &code);
    return code;
  }

 private:
  ChildProcess process_;
  HWND window_ = nullptr;
};

// Sends a message and waits until the window has handled it; a sent message
// passes CallWNDProc in the receiving thread, which maps the hook library there.
void SendAndWait(HWND window) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
}

// The report of the probe library in one process (tests/fixtures/probe.h).
class Probe {
 public:
  explicit Probe(DWORD pid)
      : mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeReport),
                                    ProbeReportName(pid).c_str())),
        view_(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeReport))) {}

  ProbeReport Read() const {
    ProbeReport r{};
    if (view_) CopyMemory(&r, view_.get(), sizeof r);
    return r;
  }

  // Asks the probe in the window's thread for its state and waits for the answer.
  std::optional<ProbeReport> Ask(HWND window) {
    const uint32_t sequence = ++asked_;
    PostMessageW(window, RegisterWindowMessageA(kProbeRequest), sequence, 0);
    if (!WaitFor([&] { return Read().answered == sequence; })) return std::nullopt;
    return Read();
  }

 private:
  UniqueHandle mapping_;
  UniqueView view_;
  uint32_t asked_ = 0;
};

TEST(HookLibrary, ExportsExactlyTheThreeProceduresUndecorated) {
  // Mapped as an image without running its load code.
  UniqueModule library(LoadLibraryExW(Widen(ProgramDir() + "GantrixHook.dll").c_str(), nullptr,
                                      DONT_RESOLVE_DLL_REFERENCES));
  ASSERT_TRUE(library);
  const auto* base = reinterpret_cast<const BYTE*>(library.get());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(entry.VirtualAddress, 0u);
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> found;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) found.emplace_back(reinterpret_cast<const char*>(base + names[i]));
  EXPECT_EQ(found, (std::vector<std::string>{"CallWNDProc", "CallWNDProcRet", "GetMessageProc"}));
  EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames) << "no exports by ordinal only";
}

TEST(HookLibrary, LoadWithoutBlockShowsItsThreeBoxesAfterTheLoad) {
  ASSERT_FALSE(ReadBlock()) << "no installer may be running";
  // The loader frees the library right after the load; the boxes still come,
  // in order, and the library leaves the process when they are done.
  ChildProcess loader(ProgramDir() + "hookloader.exe", "\"" + ProgramDir() + "GantrixHook.dll\"");
  ASSERT_TRUE(loader.started());
  const std::vector<Box> boxes = BoxesUntil(loader.pid(), [&] { return loader.WaitExit(0); });
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0], (Box{"FGlobalHookDataMMFHandle/OpenFileMapping не установлен !", "Message from GantrixHook.dll"}));
  EXPECT_TRUE(EndsInErrorNumber(boxes[1].text, "GlobalHookData=0!  Error-"));
  EXPECT_EQ(boxes[1].caption, "Message from Gantrix.dll");
  EXPECT_TRUE(EndsInErrorNumber(boxes[2].text, "GlobalHookDataMMFHandle=0!  Error-"));
  EXPECT_EQ(boxes[2].caption, "Message from Gantrix.dll");
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(loader.handle(), &code);
  EXPECT_EQ(code, 0u) << "1: load failed, 2: a procedure missing, 3: library never left";
}

TEST(Installer, StartFillsTheBlockAndHooksOtherProgramsUntilStop) {
  Driver driver(ProgramDir(), kKeys);
  ASSERT_TRUE(driver.Window()) << "StartHooks did not return";

  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_NE(block->GetMessageHook, 0u);
  EXPECT_NE(block->CallWndProcHook, 0u);
  EXPECT_NE(block->CallWndProcRetHook, 0u);
  EXPECT_NE(block->GetMessageHook, block->CallWndProcHook);
  EXPECT_NE(block->CallWndProcHook, block->CallWndProcRetHook);
  EXPECT_EQ(block->PanelKey, 192);
  EXPECT_EQ(block->PanelShift, 4);
  EXPECT_EQ(block->RaveloKey, 117);
  EXPECT_EQ(block->RaveloShift, 3);
  EXPECT_EQ(block->RaveloMode, 2);
  EXPECT_EQ(block->RaveloOn, 1);
  EXPECT_EQ(block->Reserved15, 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(block->Reserved21), 3), std::string(3, '\0'));

  HostProcess host;
  ASSERT_TRUE(host.started());
  SendAndWait(host.window());
  EXPECT_TRUE(ProcessHasModule(host.pid(), L"GantrixHook.dll"));

  EXPECT_EQ(driver.Stop(), std::vector<Box>{});
  ASSERT_TRUE(driver.stopped());
  EXPECT_EQ(host.Count("WM_CLOSEHOOKGANTRIX"), 1) << "Stop waits until the close message is handled";
  EXPECT_FALSE(ReadBlock()) << "the block goes with Stop";
  // The hooks went too: a program started now does not get the library.
  HostProcess later("GantrixTestHostLater");
  ASSERT_TRUE(later.started());
  SendAndWait(later.window());
  EXPECT_FALSE(ProcessHasModule(later.pid(), L"GantrixHook.dll"));
  EXPECT_EQ(driver.Exit(), 0u) << "bit 0: StartHooks false, bit 1: StopHooks false";
}

TEST(Installer, MissingLibraryIsReportedAtStartAndAtStop) {
  LonelyDriverDir dir;
  Driver driver(dir.path(), kKeys);
  EXPECT_EQ(PressNextBox(driver.pid()), (Box{"Error Load Libray", "Brastow"}));
  ASSERT_TRUE(driver.Window());
  // The block was made before the load and stays empty: no view, no hooks.
  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_EQ(block->GetMessageHook, 0u);
  EXPECT_EQ(block->PanelKey, 0);

  const std::vector<Box> boxes = driver.Stop();
  ASSERT_EQ(boxes.size(), 1u) << "only the unmap of a view that was never mapped fails";
  EXPECT_TRUE(EndsInErrorNumber(boxes[0].text, "UnmapViewOfFile Error-"));
  EXPECT_EQ(boxes[0].caption, "Message from mainhook.dll");
  EXPECT_FALSE(ReadBlock());
  EXPECT_EQ(driver.Exit(), 0u) << "both operations report success";
}

TEST(Installer, LibraryWithoutCallWndProcRetInstallsTheOtherTwoHooks) {
  Driver driver(NoRetDir(), kKeys);
  EXPECT_EQ(PressNextBox(driver.pid()), (Box{"Error Get CallWNDProcRet Adress", "Gantrix.exe"}));
  ASSERT_TRUE(driver.Window()) << "one box only";
  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);
  EXPECT_NE(block->GetMessageHook, 0u);
  EXPECT_NE(block->CallWndProcHook, 0u);
  EXPECT_EQ(block->CallWndProcRetHook, 0u);
  EXPECT_EQ(block->PanelKey, 192) << "the block is filled all the same";

  // Stop cannot remove the hook that was never installed, and says so.
  const std::vector<Box> boxes = driver.Stop();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(EndsInErrorNumber(boxes[0].text, "RetProcHookIdent снять не удалось !  Error-"));
  EXPECT_EQ(boxes[0].caption, "Message from Gantrix.dll");
  EXPECT_FALSE(ReadBlock());
  EXPECT_EQ(driver.Exit(), 0u);
}

TEST(Installer, BlockThatAlreadyExistsIsReportedAndUsed) {
  UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHookBlockSize,
                                          kHookBlockName));
  ASSERT_TRUE(mapping);
  ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "no installer may be running";
  UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kHookBlockSize));
  ASSERT_TRUE(view);
  const volatile GlobalHookData& ours = *static_cast<const GlobalHookData*>(view.get());

  Driver driver(ProgramDir(), kKeys);
  EXPECT_EQ(PressNextBox(driver.pid()), (Box{"ERROR_ALREADY_EXISTS(1)", "Message from GantrixHook.dll"}));
  ASSERT_TRUE(driver.Window()) << "one box only";
  // The installer filled the block we made.
  EXPECT_NE(ours.GetMessageHook, 0u);
  EXPECT_EQ(ours.PanelKey, 192);
  EXPECT_EQ(ours.RaveloOn, 1);

  EXPECT_EQ(driver.Stop(), std::vector<Box>{});
  EXPECT_EQ(driver.Exit(), 0u);
}

TEST(Installer, SettingsChangeReachesAHookedProgram) {
  Driver driver(ProbeDir(), kKeys);
  ASSERT_TRUE(driver.Window());
  const std::optional<GlobalHookData> block = ReadBlock();
  ASSERT_TRUE(block);

  // Started after Start, so its copy of the library read a filled block.
  HostProcess host;
  ASSERT_TRUE(host.started());
  Probe probe(host.pid());
  std::optional<ProbeReport> r = probe.Ask(host.window());
  ASSERT_TRUE(r) << "the probe library is not in the host";
  EXPECT_EQ(r->GetMessageHook, block->GetMessageHook);
  EXPECT_EQ(r->CallWndProcHook, block->CallWndProcHook);
  EXPECT_EQ(r->CallWndProcRetHook, block->CallWndProcRetHook);
  EXPECT_EQ(r->PanelKey, 192);
  EXPECT_EQ(r->PanelShift, 4);
  EXPECT_EQ(r->RaveloKey, 117);
  EXPECT_EQ(r->RaveloShift, 3);
  EXPECT_EQ(r->RaveloMode, 2);
  EXPECT_EQ(r->RaveloOn, 1);

  // As the settings window does it: Ctrl+Alt+Z for the panel, Shift+F5 for
  // Ravelo, mode 1, Ravelo off; written through the installer's view, then
  // "WM_GantrixUpdate" to every top-level window.
  DWORD_PTR written = 0;
  ASSERT_TRUE(SendMessageTimeoutW(driver.Window(), kChangeSettings, MAKEWPARAM(49242, 0x2000 | VK_F5), MAKELPARAM(1, 0),
                                  SMTO_NORMAL, 30000, &written));
  ASSERT_EQ(written, 1u) << "the installer has no view";
  r = probe.Ask(host.window());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->PanelKey, 'Z');
  EXPECT_EQ(r->PanelShift, kMaskCtrl | kMaskAlt);
  EXPECT_EQ(r->RaveloKey, VK_F5);
  EXPECT_EQ(r->RaveloShift, kMaskShift);
  EXPECT_EQ(r->RaveloMode, 1);
  EXPECT_EQ(r->RaveloOn, 0);
  EXPECT_EQ(host.Count("WM_GantrixUpdate"), 1) << "the update goes on to the window";

  EXPECT_EQ(driver.Stop(), std::vector<Box>{});
  EXPECT_EQ(driver.Exit(), 0u);
}

TEST(Installer, StopPassesOverAWindowThatDoesNotAnswer) {
  ChildProcess hung(ProgramDir() + "hung.exe", "");
  ASSERT_TRUE(WaitFor([&] { return FindTopWindow(hung.pid(), L"GantrixTestHung", true) != nullptr; }));
  Driver driver(ProbeDir(), kKeys);
  ASSERT_TRUE(driver.Window());
  HostProcess host;
  ASSERT_TRUE(host.started());
  Probe probe(host.pid());
  ASSERT_TRUE(probe.Ask(host.window())) << "the probe library is not in the host";

  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(driver.Stop(), std::vector<Box>{});
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  ASSERT_TRUE(driver.stopped()) << "Stop hangs on the window that does not answer";
  EXPECT_LT(seconds.count(), 60);
  // The close message passed the responsive host's window-procedure hook, so
  // it came while the hooks were still in place.
  EXPECT_GE(probe.Read().closeSeen, 1u);
  EXPECT_FALSE(ReadBlock());
  EXPECT_EQ(driver.Exit(), 0u);
  EXPECT_FALSE(hung.WaitExit(0)) << "the hung program is left as it was";
}

}  // namespace
}  // namespace gx::test
