// The floating panel end to end: Gantrix.exe from a fresh install directory
// hooks the logging host program; real key presses open, hide and show its
// panel, and the profile files in the install's profiles folder are what the
// panel builds from and saves to.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/hookdata.h"
#include "common/profile.h"
#include "common/unicode.h"
#include "common/about.h"
#include "common/winutils.h"
#include "hook/gantrixform.h"
#include "hook/procs.h"
#include "main/mainform.h"
#include "tests/system/systemtest.h"

namespace gx::test {
namespace {

using hook::TGantrixForm;

constexpr char kHostClass[] = "GantrixTestHost";
constexpr WORD kPanelKey = VK_OEM_3;  // Ctrl+` by default
// Pressed after the keys under test: once the host logs it, they have been handled.
constexpr WORD kMarkKey = VK_F2;

constexpr int kCtrl = 4;  // modifier bits as the host logs them

// A key-down as the host logged it, with the modifiers its thread saw held.
std::string KeyLine(WORD key, int modifiers = 0, const char* prefix = "") {
  return prefix + std::string("WM_KEYDOWN ") + std::to_string(key) + " " + std::to_string(modifiers);
}

struct ProfileSpec {
  std::string open = "1";
  std::string caption = "Tools";
  int clientW = 200;
  int clientH = 60;
  std::string left = "40";
  std::string top = "300";
  std::vector<std::string> buttons = {"101;New", "201;Copy"};
};

std::string ProfileBytes(const ProfileSpec& p) {
  std::string text;
  for (const std::string& line :
       {p.open, p.caption, std::string("10"), std::string("0"), std::string("1"), std::string("16"),
        std::string("16"), std::to_string(p.clientH), std::to_string(p.clientW), p.left, p.top})
    text += line + "\r\n";
  for (const std::string& b : p.buttons) text += b + "\r\n";
  return text;
}

std::string FirstLine(const std::string& bytes) { return bytes.substr(0, bytes.find_first_of("\r\n")); }

// A 24-bit bitmap file of w x h pixels, all of one colour.
std::string BitmapFile(int w, int h) {
  const int row = (w * 3 + 3) / 4 * 4;
  const int size = 54 + row * h;
  std::string b(static_cast<size_t>(size), '\x40');
  auto put32 = [&](size_t at, int v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  std::fill(b.begin(), b.begin() + 54, '\0');
  b[0] = 'B';
  b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  b[26] = 1;
  b[28] = 24;
  put32(34, row * h);
  return b;
}

HWND ActiveWindowOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndActive : nullptr;
}

// The host's panels: top-level windows of its process owned by its window.
std::vector<HWND> PanelsOf(const HostProcess& host) {
  std::vector<HWND> panels;
  for (HWND w : TopWindows(host.pid(), std::wstring(TGantrixForm::ClassName())))
    if (GetWindow(w, GW_OWNER) == host.window()) panels.push_back(w);
  return panels;
}

HWND WaitForPanel(const HostProcess& host) {
  HWND panel = nullptr;
  WaitFor([&] {
    const std::vector<HWND> panels = PanelsOf(host);
    panel = panels.empty() ? nullptr : panels.front();
    return panel && IsWindowVisible(panel);
  });
  return panel;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

POINT Place(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top};
}

// The gate between two handled presses is a span of time, so only time passing satisfies it.
void WaitPastKeyGate() { Sleep(hook::kPanelKeyGateMs + 200); }

// Key events in one SendInput call, so that they reach the queue together.
void SendKeysAtOnce(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> in;
  for (const auto& [vk, down] : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

class PanelSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    gantrix_ = std::make_unique<GantrixProcess>(install_);
    ASSERT_TRUE(gantrix_->WaitStarted());
  }
  void TearDown() override {
    gantrix_.reset();
    ResetSettings();
  }

  static std::string HostProfileBase(const std::string& cls = kHostClass) {
    const std::string exe = ProgramDir() + "host.exe";
    return MakeProfileNames(exe, cls, FileVersionStamp(exe), FileNameUpper, FileNameLower).base;
  }
  std::string ProfilePath(const std::string& ext = ".mpf") const {
    return install_ / ("profiles\\" + HostProfileBase() + ext);
  }
  void WriteProfile(const ProfileSpec& profile) const { ASSERT_TRUE(WriteFileBytes(ProfilePath(), ProfileBytes(profile))); }
  std::string ProfileFirstLine() const { return FirstLine(ReadFileBytes(ProfilePath())); }

  // Brings `window` to the front and waits until a key pressed there has
  // reached `logger`, so that the focus has settled.
  static void FocusForKeys(HWND window, const HostProcess& logger, const char* prefix = "") {
    ASSERT_TRUE(BringToFront(window));
    const int marks = logger.Count(KeyLine(kMarkKey, 0, prefix));
    PressKeys({kMarkKey});
    ASSERT_TRUE(logger.WaitForLine(KeyLine(kMarkKey, 0, prefix), marks + 1));
  }

  // Presses the panel key in `window`, whose keys `logger` logs, and returns
  // once it has been handled. Under Wine a focus change can reset the thread's
  // Ctrl state between the two key-downs without any message; the key then
  // arrives bare, which the log shows, and the press is repeated. A mark key
  // that never arrives is a failure, not a reason to press again: the panel
  // key before it may have been handled where the focus went.
  static void PressPanelKeyIn(HWND window, const HostProcess& logger, const char* prefix = "") {
    for (int attempt = 0; attempt < 5; ++attempt) {
      FocusForKeys(window, logger, prefix);
      const int bare = logger.Count(KeyLine(kPanelKey, 0, prefix));
      const int marks = logger.Count(KeyLine(kMarkKey, 0, prefix));
      PressKeys({VK_CONTROL, kPanelKey});
      PressKeys({kMarkKey});
      ASSERT_TRUE(logger.WaitForLine(KeyLine(kMarkKey, 0, prefix), marks + 1))
          << "a key after the panel key was lost";
      if (logger.Count(KeyLine(kPanelKey, 0, prefix)) == bare) return;
      WaitPastKeyGate();  // the bare key started the gate
    }
    ADD_FAILURE() << "the panel key did not arrive whole in five presses";
  }

  // Presses the panel key in the host; its panel once it shows, or null.
  static HWND OpenPanelWithKey(const HostProcess& host) {
    PressPanelKeyIn(host.window(), host);
    return WaitForPanel(host);
  }

  // The settings window brought up the way a user does, from a second start.
  HWND ShowSettingsWindow() {
    ChildProcess second(install_ / "Gantrix.exe", "");
    EXPECT_TRUE(second.WaitExit(30000));
    HWND w = gantrix_->MainWindow();
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(w) != FALSE; }));
    EXPECT_TRUE(BringToFront(w));
    return w;
  }

  static void ClickPanelButton(HWND panel, size_t index) {
    PostMessageW(panel, WM_COMMAND, TGantrixForm::kFirstButton + index,
                 reinterpret_cast<LPARAM>(GetDlgItem(panel, TGantrixForm::kToolBar2)));
  }

  // With the host's profile saying its panel is open: the panel opens by
  // itself, is flipped twice, rebuilt, hidden and shown with its host (which
  // saves it) and saved again as the host closes. Through all of it the host
  // keeps handling its messages, gets nothing it wasn't sent, and ends normally.
  void ExerciseHost(const char* what) {
    SCOPED_TRACE(what);
    HostProcess host;
    ASSERT_TRUE(host.started());
    PressPanelKeyIn(host.window(), host);
    WaitPastKeyGate();
    PressPanelKeyIn(host.window(), host);
    // Asynchronous, so that a host that stopped answering fails the case instead of stopping the test.
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageA(kMsgUpdateWindow), 0, 0);
    ShowWindowAsync(host.window(), SW_HIDE);
    ShowWindowAsync(host.window(), SW_SHOW);
    PostMessageW(host.window(), WM_COMMAND, 4242, 0);
    ASSERT_TRUE(host.WaitForLine("WM_COMMAND 4242 0", 1, 120000)) << "the host still handles its messages";
    for (const std::string& line : host.Log()) {
      const bool expected = line == "ready" || line == "WM_COMMAND 4242 0" || line == "WM_GantrixUpdateWindow" ||
                            (line.rfind("WM_KEYDOWN ", 0) == 0 && line != KeyLine(kPanelKey, kCtrl));
      EXPECT_TRUE(expected) << line;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutW(host.window(), WM_CLOSE, 0, 0, SMTO_NORMAL, 120000, &result);
    ASSERT_TRUE(host.process().WaitExit(120000));
    DWORD code = 1;
    GetExitCodeProcess(host.process().handle(), &code);
    EXPECT_EQ(code, 0u) << "the host ends normally";
  }

  Install install_;
  std::unique_ptr<GantrixProcess> gantrix_;
};

TEST_F(PanelSystem, KeyOpensHidesAndShowsThePanelAndItsButtonsRunCommands) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  ASSERT_EQ(ProfileNameOf(host.window()).base, HostProfileBase());

  // A key typed right after the panel key still goes to the host: the panel
  // opens without taking the keyboard.
  FocusForKeys(host.window(), host);
  SendKeysAtOnce({{VK_CONTROL, true}, {kPanelKey, true}, {kPanelKey, false}, {VK_CONTROL, false},
                  {kMarkKey, true}, {kMarkKey, false}});
  HWND panel = WaitForPanel(host);
  ASSERT_TRUE(panel);
  EXPECT_TRUE(host.WaitForLine(KeyLine(kMarkKey), 2));
  EXPECT_EQ(WindowText(panel), "Tools");
  EXPECT_EQ(ClientSize(panel).cx, 200);
  EXPECT_EQ(ClientSize(panel).cy, 60);
  EXPECT_EQ(Place(panel).x, 40);
  EXPECT_EQ(Place(panel).y, 300);
  EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(host.window()) == host.window(); }));
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 0) << "the panel key is swallowed";

  WaitPastKeyGate();
  PressPanelKeyIn(host.window(), host);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
  EXPECT_TRUE(IsWindow(panel)) << "hidden, not destroyed";

  WaitPastKeyGate();
  PressPanelKeyIn(host.window(), host);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(host.window()) == host.window(); }));
  EXPECT_EQ(PanelsOf(host).size(), 1u);
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 0);

  ClickPanelButton(panel, 1);
  EXPECT_TRUE(host.WaitForLine("WM_COMMAND 201 0"));
  ClickPanelButton(panel, 0);
  EXPECT_TRUE(host.WaitForLine("WM_COMMAND 101 0"));
}

// Right after a handled press (or a bare press of the key) the combination is
// not recognised and reaches the host as an ordinary key.
TEST_F(PanelSystem, PressesWithinTheGateGoToTheHost) {
  const struct {
    const char* name;
    bool firstWithCtrl;
    bool panelOpens;
    int bareAtHost;
  } cases[] = {
      {"full combination twice", true, true, 0},
      {"bare key, then the combination", false, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Each case from a closed panel; the last host saved its panel as open.
    WriteProfile({});
    // Both presses in one input call, well inside the gate. A case whose
    // Ctrl Wine dropped (more bare keys than pressed) is run again.
    for (int attempt = 0; attempt < 3; ++attempt) {
      HostProcess host;
      ASSERT_TRUE(host.started());
      FocusForKeys(host.window(), host);
      if (c.firstWithCtrl)
        SendKeysAtOnce({{VK_CONTROL, true}, {kPanelKey, true}, {kPanelKey, false}, {kPanelKey, true},
                        {kPanelKey, false}, {VK_CONTROL, false}, {kMarkKey, true}, {kMarkKey, false}});
      else
        SendKeysAtOnce({{kPanelKey, true}, {kPanelKey, false}, {VK_CONTROL, true}, {kPanelKey, true},
                        {kPanelKey, false}, {VK_CONTROL, false}, {kMarkKey, true}, {kMarkKey, false}});
      ASSERT_TRUE(host.WaitForLine(KeyLine(kMarkKey), 2));
      if (host.Count(KeyLine(kPanelKey)) > c.bareAtHost) {
        WriteProfile({});
        continue;
      }
      EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 1) << "the combination within the gate";
      if (c.panelOpens) {
        HWND panel = WaitForPanel(host);
        ASSERT_TRUE(panel);
        EXPECT_TRUE(IsWindowVisible(panel)) << "not flipped back by the second press";
      } else {
        EXPECT_TRUE(PanelsOf(host).empty());
      }
      break;
    }
  }
}

TEST_F(PanelSystem, KeyInADialogBoxIsSwallowedAndOpensNothing) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  PostMessageW(host.window(), WM_COMMAND, 301, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopWindow(host.pid(), L"#32770", true)) != nullptr; }));

  PressPanelKeyIn(dialog, host, "dialog ");
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl, "dialog ")), 0);
  EXPECT_TRUE(TopWindows(host.pid(), std::wstring(TGantrixForm::ClassName())).empty());
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

TEST_F(PanelSystem, KeyInsideThePanelHidesItAndActivatesTheHost) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);

  // The panel logs nothing, so a press whose Ctrl Wine dropped shows only as
  // a panel still open; it is repeated after the gate that the bare key set.
  bool hidden = false;
  for (int attempt = 0; attempt < 5 && !hidden; ++attempt) {
    WaitPastKeyGate();
    ASSERT_TRUE(BringToFront(panel));
    PressKeys({VK_CONTROL, kPanelKey});
    hidden = WaitFor([&] { return !IsWindowVisible(panel); }, std::chrono::seconds(5));
  }
  EXPECT_TRUE(hidden);
  EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(host.window()) == host.window(); }));
  FocusForKeys(host.window(), host);
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 0);
  EXPECT_TRUE(IsWindow(panel));
}

// A key typed into the settings window is the panel key at once; without
// modifiers the key alone is enough, but only in a host that can be seen.
TEST_F(PanelSystem, ChangedKeyTakesEffectAtOnceAndNeedsAVisibleHost) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  HostProcess hidden("GantrixHiddenHost");
  ASSERT_TRUE(hidden.started());

  ShowSettingsWindow();
  const int updates = host.Count("WM_GantrixUpdate");
  ASSERT_TRUE(ClickToFocus(gantrix_->Control(TMainForm::kHotKey1)));
  PressKeys({VK_F9});
  ASSERT_TRUE(WaitFor([&] { return ReadBlock() && ReadBlock()->PanelKey == VK_F9; }));
  ASSERT_EQ(ReadBlock()->PanelShift, 0);
  ASSERT_TRUE(host.WaitForLine("WM_GantrixUpdate", updates + 1));

  PressPanelKeyIn(host.window(), host);
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 1) << "the old combination is an ordinary key now";
  EXPECT_TRUE(PanelsOf(host).empty());
  // The same key as a system key (as with Alt held) is never the panel key.
  const int marks = host.Count(KeyLine(kMarkKey));
  PostMessageW(host.window(), WM_SYSKEYDOWN, VK_F9, 0);
  PostMessageW(host.window(), WM_KEYDOWN, kMarkKey, 0);
  ASSERT_TRUE(host.WaitForLine(KeyLine(kMarkKey), marks + 1));
  EXPECT_TRUE(PanelsOf(host).empty());
  FocusForKeys(host.window(), host);
  PressKeys({VK_F9});
  ASSERT_TRUE(WaitForPanel(host));
  EXPECT_EQ(host.Count(KeyLine(VK_F9)), 0);

  ShowWindow(hidden.window(), SW_HIDE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(hidden.window()); }));
  ASSERT_TRUE(hidden.WaitForLine("WM_GantrixUpdate"));
  PostMessageW(hidden.window(), WM_KEYDOWN, VK_F9, 0);
  PostMessageW(hidden.window(), WM_KEYDOWN, kMarkKey, 0);
  ASSERT_TRUE(hidden.WaitForLine(KeyLine(kMarkKey)));
  EXPECT_EQ(hidden.Count(KeyLine(VK_F9)), 1) << "the key goes on";
  EXPECT_TRUE(TopWindows(hidden.pid(), std::wstring(TGantrixForm::ClassName())).empty());
}

TEST_F(PanelSystem, PanelFollowsItsHostOutOfAndIntoView) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);
  ASSERT_EQ(ProfileFirstLine(), "1");

  // Hidden with the host, it saves itself as open.
  ShowWindow(host.window(), SW_HIDE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
  EXPECT_TRUE(WaitFor([&] { return ProfileFirstLine() == "0"; }));
  ShowWindow(host.window(), SW_SHOW);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(host.window()) == host.window(); }));

  // Closed with the key, it saves itself as closed, and still comes back with its host.
  WaitPastKeyGate();
  PressPanelKeyIn(host.window(), host);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
  ShowWindow(host.window(), SW_HIDE);
  EXPECT_TRUE(WaitFor([&] { return ProfileFirstLine() == "1"; }));
  ShowWindow(host.window(), SW_SHOW);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(panel) != FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return ActiveWindowOf(host.window()) == host.window(); }));
  EXPECT_EQ(PanelsOf(host).size(), 1u);
}

TEST_F(PanelSystem, ClosingTheHostSavesThePanelWhichReturnsOnTheNextStart) {
  WriteProfile({});
  {
    HostProcess host;
    ASSERT_TRUE(host.started());
    PressPanelKeyIn(host.window(), host);
    ASSERT_TRUE(WaitForPanel(host));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(host.window(), WM_CLOSE, 0, 0, SMTO_NORMAL, 30000, &result);
    ASSERT_TRUE(host.process().WaitExit(30000));
    DWORD code = 1;
    GetExitCodeProcess(host.process().handle(), &code);
    EXPECT_EQ(code, 0u);
  }
  const std::string saved = ReadFileBytes(ProfilePath());
  EXPECT_EQ(FirstLine(saved), "0");
  EXPECT_NE(saved.find("\r\n101;New\r\n201;Copy\r\n"), std::string::npos) << saved;

  // Only a first line of exactly "0" opens the panel by itself.
  const struct {
    std::string firstLine;
    bool opens;
  } cases[] = {{"0", true}, {"0 ", false}, {"1", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("first line \"" + c.firstLine + "\"");
    std::string bytes = saved;
    bytes.replace(0, bytes.find("\r\n"), c.firstLine);
    ASSERT_TRUE(WriteFileBytes(ProfilePath(), bytes));
    HostProcess host;
    ASSERT_TRUE(host.started());
    ASSERT_TRUE(BringToFront(host.window()));
    // Posted after the activation's request, so handled after it.
    PostMessageW(host.window(), WM_COMMAND, 4242, 0);
    ASSERT_TRUE(host.WaitForLine("WM_COMMAND 4242 0"));
    if (c.opens) {
      HWND panel = WaitForPanel(host);
      ASSERT_TRUE(panel);
      EXPECT_EQ(WindowText(panel), "Tools");
      EXPECT_EQ(PanelsOf(host).size(), 1u);
    } else {
      EXPECT_TRUE(PanelsOf(host).empty());
    }
    EXPECT_EQ(host.Count("WM_OpenMayWindowGANTRIX"), 0) << "the request is not the host's";
  }
}

TEST_F(PanelSystem, StopSavesAndDestroysThePanels) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);
  ASSERT_EQ(ProfileFirstLine(), "1");

  ShowSettingsWindow();
  PressButton(gantrix_->Control(TMainForm::kButton2));
  ASSERT_TRUE(host.WaitForLine("WM_CLOSEHOOKGANTRIX"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(panel); }));
  EXPECT_TRUE(TopWindows(host.pid(), std::wstring(TGantrixForm::ClassName())).empty());
  EXPECT_EQ(ProfileFirstLine(), "0");
  EXPECT_TRUE(IsWindowVisible(host.window()));
}

TEST_F(PanelSystem, ReloadRebuildsFromTheChangedProfileWhereThePanelStands) {
  WriteProfile({});
  HostProcess host;
  ASSERT_TRUE(host.started());
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);
  const POINT before = Place(panel);

  ProfileSpec changed;
  changed.caption = "Changed";
  changed.clientW = 260;
  changed.clientH = 90;
  changed.left = "500";
  changed.top = "20";
  changed.buttons = {"202;Paste", "301;About", "121;Deep"};
  WriteProfile(changed);
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageA(kMsgUpdateWindow), 0, 0);
  ASSERT_TRUE(WaitFor([&] { return WindowText(panel) == "Changed"; }));
  EXPECT_EQ(ClientSize(panel).cx, 260);
  EXPECT_EQ(ClientSize(panel).cy, 90);
  EXPECT_EQ(Place(panel).x, before.x) << "a reload keeps the panel's place";
  EXPECT_EQ(Place(panel).y, before.y);
  ClickPanelButton(panel, 2);
  EXPECT_TRUE(host.WaitForLine("WM_COMMAND 121 0"));
}

// The notice's button and the pop-up menu's "Change..." start the control
// panel for the host (a stand-in that records its command line); "About
// Gantrix" shows the About box owned by the panel.
TEST_F(PanelSystem, PanelCommandsStartTheControlPanelAndShowTheAboutBox) {
  ASSERT_TRUE(CopyFileW(Widen(ProgramDir() + "cpstub.exe").c_str(), Widen(install_ / "GantrixCP.exe").c_str(), FALSE));
  const std::string started = install_ / "GantrixCP.args";
  HostProcess host;
  ASSERT_TRUE(host.started());
  const std::string handle = std::to_string(static_cast<int32_t>(reinterpret_cast<intptr_t>(host.window())));
  auto startedWith = [&](size_t count) {
    std::vector<std::string> lines;
    WaitFor([&] {
      lines.clear();
      std::string bytes = ReadFileBytes(started);
      for (size_t end; (end = bytes.find("\r\n")) != std::string::npos; bytes.erase(0, end + 2))
        lines.push_back(bytes.substr(0, end));
      return lines.size() >= count;
    });
    return lines;
  };

  // Without a profile: the notice and its button.
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);
  HWND button = GetDlgItem(panel, TGantrixForm::kButton1);
  ASSERT_TRUE(IsWindowVisible(button));
  PressButton(button);
  EXPECT_EQ(startedWith(1), (std::vector<std::string>{handle}));

  // With buttons, from the tool bar's pop-up menu. Right clicks that Wine
  // lost show no menu and are repeated.
  WriteProfile({});
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageA(kMsgUpdateWindow), 0, 0);
  ASSERT_TRUE(WaitFor([&] { return WindowText(panel) == "Tools"; }));
  auto choose = [&](std::initializer_list<WORD> keys) {
    RECT r{};
    GetWindowRect(GetDlgItem(panel, TGantrixForm::kToolBar2), &r);
    HWND popup = nullptr;
    for (int attempt = 0; attempt < 5 && !popup; ++attempt) {
      ClickAt({r.right - 10, r.bottom - 10}, MouseButton::Right);
      WaitFor([&] { return (popup = FindTopWindow(host.pid(), L"#32768", true)) != nullptr; }, std::chrono::seconds(5));
    }
    ASSERT_TRUE(popup);
    PressKeys(keys);
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(popup); }));
  };
  choose({VK_DOWN});
  EXPECT_EQ(startedWith(2), (std::vector<std::string>{handle, handle}));

  choose({VK_DOWN, VK_DOWN});
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (about = FindTopWindow(host.pid(), L"TAbout", true)) != nullptr; }));
  EXPECT_EQ(GetWindow(about, GW_OWNER), panel);
  EXPECT_EQ(WindowText(about), "About Gantrix");
  PressButton(GetDlgItem(about, TAbout::kButton1));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
  // The box was modal to the panel alone: the host went on meanwhile and still does.
  PostMessageW(host.window(), WM_COMMAND, 4242, 0);
  EXPECT_TRUE(host.WaitForLine("WM_COMMAND 4242 0"));
}

// Some frameworks peek at each message before they take it; the hook sees
// the message twice then, and must act once.
TEST_F(PanelSystem, HostThatPeeksFirstGetsOnePanelAndNeverTheKey) {
  WriteProfile({});
  HostProcess host(kHostClass, "peek");
  ASSERT_TRUE(host.started());
  HWND panel = OpenPanelWithKey(host);
  ASSERT_TRUE(panel);
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 0);
  EXPECT_EQ(PanelsOf(host).size(), 1u);

  WaitPastKeyGate();
  PressPanelKeyIn(host.window(), host);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(panel); }));
  EXPECT_EQ(host.Count(KeyLine(kPanelKey, kCtrl)), 0);
}

// Whatever the profile holds, the host goes on working and gets nothing but
// what it is sent; its panel may be odd, or show that it has no profile.
TEST_F(PanelSystem, HostileProfilesLeaveTheHostWorking) {
  ProfileSpec autoOpen;
  autoOpen.open = "0";
  const struct {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"garbage strips",
       [&] {
         ProfileSpec p = autoOpen;
         p.buttons = {"101;New", "201;Copy", "202;Paste"};
         WriteProfile(p);
         WriteFileBytes(ProfilePath(".bmp"), "BM garbage, not a picture");
         WriteFileBytes(ProfilePath(".bmm"), std::string(5000, '\xFF'));
       }},
      {"cells outside the strip",
       [&] {
         ProfileSpec p = autoOpen;
         p.buttons = {"101;New", "201;Copy", "202;Paste", "301;About"};
         WriteProfile(p);
         WriteFileBytes(ProfilePath(".bmp"), BitmapFile(20, 7));
         WriteFileBytes(ProfilePath(".bmm"), BitmapFile(3, 40));
       }},
      {"identifiers repeated, zero or missing",
       [&] {
         ProfileSpec p = autoOpen;
         p.buttons = {"0;Zero", "5;Five", "5;Five again", ";Nothing", "no separator", "", "4294967295;Max", ";;;"};
         WriteProfile(p);
       }},
      {"numbers beyond 32 bits",
       [&] {
         std::string text = "0\r\nHuge\r\n99999999999\r\n-99999999999\r\n4294967296\r\n99999999999\r\n"
                            "-99999999999\r\n99999999999\r\n-4294967297\r\n1e40\r\n-1e40\r\n"
                            "99999999999;Huge\r\n-1;Minus\r\n18446744073709551616;Wider\r\n";
         WriteFileBytes(ProfilePath(), text);
         WriteFileBytes(ProfilePath(".bmp"), BitmapFile(32, 16));
         WriteFileBytes(ProfilePath(".bmm"), BitmapFile(32, 16));
       }},
      {"empty and truncated", [&] { WriteFileBytes(ProfilePath(), "0"); }},
  };
  for (const auto& c : cases) {
    for (const char* ext : {".mpf", ".bmp", ".bmm"}) DeleteFileW(Widen(ProfilePath(ext)).c_str());
    c.write();
    ExerciseHost(c.name);
  }

  // A profile that someone holds open without sharing can be neither read nor replaced.
  WriteProfile(autoOpen);
  UniqueFile locked(CreateFileW(Widen(ProfilePath()).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(locked);
  ExerciseHost("locked profile");
}

// Every build starts from nothing, so a long profile costs each rebuild too.
TEST_F(PanelSystem, TenThousandLineProfileLeavesTheHostWorking) {
  ProfileSpec p;
  p.open = "0";
  p.buttons.clear();
  for (int i = 0; i < 10000; ++i) p.buttons.push_back(std::to_string(1000 + i) + ";Command " + std::to_string(i));
  WriteProfile(p);
  ExerciseHost("ten thousand lines");
}

}  // namespace
}  // namespace gx::test
