#pragma once
// The pieces of an end-to-end test: a fresh install directory, the real
// Gantrix.exe started from it, host programs that log what they receive, the
// shared block as other processes see it, and real keyboard and mouse input.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/hookdata.h"
#include "tests/win32/testutil.h"

namespace gx::test {

// The install tree this build made (build/dist/<arch>), as a Windows path.
std::string DistDir();

// Removes every Gantrix setting of the current user and the start-with-Windows entry.
void ResetSettings();

// A copy of the install tree in a fresh folder whose path has a blank in it.
class Install {
 public:
  Install();
  const std::string& dir() const { return root_; }  // ends with "\"
  std::string operator/(const std::string& name) const { return root_ + name; }

 private:
  TempDir dir_;
  std::string root_;
};

bool CopyTree(const std::string& from, const std::string& to);

// The block as a hook library copy reads it; nullopt while it does not exist.
std::optional<GlobalHookData> ReadBlock();

bool ProcessHasModule(DWORD pid, const std::wstring& moduleName);
std::string WindowText(HWND window);

// Gantrix.exe started from an install directory; closed (which stops the
// hooks) when the object goes, ended by its handle if it does not close.
class GantrixProcess {
 public:
  explicit GantrixProcess(const Install& install, const std::string& arguments = "");
  ~GantrixProcess();
  bool started() const { return process_.started(); }
  DWORD pid() const { return process_.pid(); }
  ChildProcess& process() { return process_; }
  // The settings window (hidden after start-up); waits for it to exist.
  HWND MainWindow();
  HWND Control(int id) { return GetDlgItem(MainWindow(), id); }
  // Waits until start-up has run: the block is filled and the window hidden.
  bool WaitStarted();
  bool Close();

 private:
  ChildProcess process_;
  HWND main_ = nullptr;
};

// The logging host program; its log lines can be waited for. `options` go
// to its command line after the class (see tests/fixtures/host.cpp).
class HostProcess {
 public:
  explicit HostProcess(const std::string& windowClass = "GantrixTestHost", const std::string& options = "");
  ~HostProcess();
  bool started() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  DWORD pid() const { return process_.pid(); }
  ChildProcess& process() { return process_; }
  std::vector<std::string> Log() const;
  int Count(const std::string& line) const;
  bool WaitForLine(const std::string& line, int count = 1, DWORD ms = 30000) const;

 private:
  TempDir dir_;
  std::string log_;
  ChildProcess process_;
  HWND window_ = nullptr;
};

// A message box of another process: its text and caption.
struct Box {
  std::string text;
  std::string caption;
  bool operator==(const Box& other) const { return text == other.text && caption == other.caption; }
};
std::ostream& operator<<(std::ostream& out, const Box& box);

HWND FindBox(DWORD pid);
// Reads the box, presses OK and waits until it is gone.
Box Press(HWND box);
std::optional<Box> PressNextBox(DWORD pid);
// Presses the process's boxes as they come until `done` holds; the boxes seen.
std::vector<Box> BoxesUntil(DWORD pid, const std::function<bool()>& done);

// Real input through SendInput.
enum class MouseButton { Left, Right };
void ClickAt(POINT screen, MouseButton button = MouseButton::Left);
void ClickWindow(HWND window);
// Presses the keys in order and releases them in reverse order.
void PressKeys(std::initializer_list<WORD> keys);
// One key or mouse button pressed or released on its own, so that it can be
// held across other input; the button where the pointer is.
void SendKey(WORD vk, bool down);
void SendButton(MouseButton button, bool down);
bool BringToFront(HWND window);
// A button, check box or radio button pressed the way the control itself
// handles a mouse click (BM_CLICK), in the control's own thread.
void PressButton(HWND button);
// Clicks a control and waits until its thread has given it the focus.
bool ClickToFocus(HWND control);

}  // namespace gx::test
