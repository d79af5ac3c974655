#pragma once
// Helpers of the Windows tests: temporary folders, child processes that are
// ended by their own handle, and waiting for a condition with a time-out.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "common/handle.h"

namespace gx::test {

// Folder of the running test program, ending with "\".
std::string ProgramDir();

// A fresh folder under the temporary directory, removed with its files.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }  // ends with "\"
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// A started program; ended (if still running) and closed when the object goes.
class ChildProcess {
 public:
  ChildProcess(const std::string& exe, const std::string& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  bool started() const { return static_cast<bool>(process_); }
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_.get(); }
  bool WaitExit(DWORD ms);

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
};

// Polls `done` until it holds or `timeout` passes; true when it held.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(30));

// A mouse input at a screen point, in the absolute units SendInput takes.
INPUT MouseInputAt(POINT screen, DWORD flags);

// A top-level window of the process with that class; hidden ones too.
HWND FindTopWindow(DWORD pid, const std::wstring& className, bool visibleOnly = false);
std::vector<HWND> TopWindows(DWORD pid, const std::wstring& className);

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace gx::test
