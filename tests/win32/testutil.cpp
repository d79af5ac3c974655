#include "tests/win32/testutil.h"


#include "common/unicode.h"

namespace gx::test {

std::string ProgramDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path);
  return Narrow(p.substr(0, p.find_last_of(L"\\/") + 1));
}

TempDir::TempDir() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    const std::wstring candidate = std::wstring(base) + L"gxtest-" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(++counter);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = Narrow(candidate) + "\\";
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

static void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + name + L"\\");
      else {
        SetFileAttributesW((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((dir + name).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

TempDir::~TempDir() {
  if (!path_.empty()) RemoveTree(Widen(path_));
}

ChildProcess::ChildProcess(const std::string& exe, const std::string& arguments) {
  std::wstring command = L"\"" + Widen(exe) + L"\" " + Widen(arguments);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    pid_ = pi.dwProcessId;
  }
}

ChildProcess::~ChildProcess() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 10000);
  }
}

bool ChildProcess::WaitExit(DWORD ms) { return process_ && WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0; }

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    // Keep our own queue moving while we wait for other processes.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

namespace {
struct Search {
  DWORD pid;
  const std::wstring* cls;
  bool visibleOnly;
  std::vector<HWND> found;
};
BOOL CALLBACK Collect(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[256] = {};
  GetClassNameW(w, cls, 256);
  if (pid == s->pid && *s->cls == cls && (!s->visibleOnly || IsWindowVisible(w))) s->found.push_back(w);
  return TRUE;
}
}  // namespace

INPUT MouseInputAt(POINT p, DWORD flags) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dx = static_cast<LONG>((p.x * 65535 + w / 2) / (w - 1));
  i.mi.dy = static_cast<LONG>((p.y * 65535 + h / 2) / (h - 1));
  i.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return i;
}

std::vector<HWND> TopWindows(DWORD pid, const std::wstring& className) {
  Search s{pid, &className, false, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindTopWindow(DWORD pid, const std::wstring& className, bool visibleOnly) {
  Search s{pid, &className, visibleOnly, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
  return s.found.empty() ? nullptr : s.found.front();
}

std::string ReadFileBytes(const std::string& path) {
  UniqueFile f(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  if (!f) return bytes;
  char buf[8192];
  DWORD n = 0;
  while (ReadFile(f.get(), buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  UniqueFile f(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD n = 0;
  return f && WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
}

}  // namespace gx::test
