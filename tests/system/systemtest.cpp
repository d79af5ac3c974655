#include "tests/system/systemtest.h"

#include <tlhelp32.h>

#include <cstdlib>

#include "common/settings.h"
#include "common/unicode.h"

namespace gx::test {

std::string DistDir() {
  const wchar_t* dist = _wgetenv(L"GANTRIX_DIST");
  std::string dir = dist ? Narrow(dist) : ProgramDir() + "..\\..\\dist\\";
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

void ResetSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str());
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(kRunKey).c_str(), 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, Widen(kRunValue).c_str());
    RegCloseKey(run);
  }
}

bool CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryW(Widen(to).c_str(), nullptr);
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(from + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    const std::string name = Narrow(data.cFileName);
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ok = CopyTree(from + name + "\\", to + name + "\\") && ok;
    else
      ok = CopyFileW(Widen(from + name).c_str(), Widen(to + name).c_str(), FALSE) && ok;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return ok;
}

Install::Install() : root_(dir_ / "Gantrix 1.4\\") { CopyTree(DistDir(), root_); }

std::optional<GlobalHookData> ReadBlock() {
  UniqueHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, Widen(kHookBlockName).c_str()));
  if (!mapping) return std::nullopt;
  UniqueView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(GlobalHookData)));
  if (!view) return std::nullopt;
  GlobalHookData block;
  CopyMemory(&block, view.get(), sizeof block);
  return block;
}

bool ProcessHasModule(DWORD pid, const std::wstring& moduleName) {
  UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid));
  if (!snapshot) return false;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Module32FirstW(snapshot.get(), &entry); ok; ok = Module32NextW(snapshot.get(), &entry))
    if (lstrcmpiW(entry.szModule, moduleName.c_str()) == 0) return true;
  return false;
}

std::string WindowText(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
  return Narrow(text);
}

GantrixProcess::GantrixProcess(const Install& install, const std::string& arguments)
    : process_(install / "Gantrix.exe", arguments) {}

GantrixProcess::~GantrixProcess() { Close(); }

HWND GantrixProcess::MainWindow() {
  if (!main_) WaitFor([&] { return (main_ = FindTopWindow(pid(), L"TMainForm")) != nullptr; });
  return main_;
}

bool GantrixProcess::WaitStarted() {
  return WaitFor([&] {
    const std::optional<GlobalHookData> block = ReadBlock();
    HWND w = FindTopWindow(pid(), L"TMainForm");
    return w && !IsWindowVisible(w) && block && block->GetMessageHook != 0;
  });
}

bool GantrixProcess::Close() {
  if (!process_.started()) return true;
  if (process_.WaitExit(0)) return true;
  if (HWND w = FindTopWindow(pid(), L"TMainForm")) PostMessageW(w, WM_CLOSE, 0, 0);
  return process_.WaitExit(60000);
}

HostProcess::HostProcess(const std::string& windowClass, const std::string& options)
    : log_(dir_ / "host.log"),
      process_(ProgramDir() + "host.exe", "\"" + log_ + "\" " + windowClass + (options.empty() ? "" : " " + options)) {
  WaitFor([&] { return (window_ = FindTopWindow(pid(), Widen(windowClass), true)) != nullptr; });
}

HostProcess::~HostProcess() {
  if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
  process_.WaitExit(10000);
}

std::vector<std::string> HostProcess::Log() const {
  std::vector<std::string> lines;
  const std::string bytes = ReadFileBytes(log_);
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

int HostProcess::Count(const std::string& line) const {
  int n = 0;
  for (const std::string& l : Log()) n += l == line;
  return n;
}

bool HostProcess::WaitForLine(const std::string& line, int count, DWORD ms) const {
  return WaitFor([&] { return Count(line) >= count; }, std::chrono::milliseconds(ms));
}

std::ostream& operator<<(std::ostream& out, const Box& box) {
  return out << "[" << box.text << "] / [" << box.caption << "]";
}

Box Press(HWND box) {
  const Box seen{WindowText(GetDlgItem(box, 0xFFFF)), WindowText(box)};
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  WaitFor([&] { return !IsWindow(box); });
  return seen;
}

HWND FindBox(DWORD pid) { return FindTopWindow(pid, L"#32770", true); }

std::optional<Box> PressNextBox(DWORD pid) {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindBox(pid)) != nullptr; })) return std::nullopt;
  return Press(box);
}

std::vector<Box> BoxesUntil(DWORD pid, const std::function<bool()>& done) {
  std::vector<Box> seen;
  WaitFor([&] {
    if (HWND box = FindBox(pid)) seen.push_back(Press(box));
    return done();
  }, std::chrono::seconds(120));
  return seen;
}

void ClickAt(POINT p, MouseButton button) {
  const bool left = button == MouseButton::Left;
  INPUT in[3] = {MouseInputAt(p, MOUSEEVENTF_MOVE),
                 MouseInputAt(p, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
                 MouseInputAt(p, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)};
  // Paced like a hand: the pointer arrives before the button goes down.
  for (INPUT& i : in) {
    SendInput(1, &i, sizeof(INPUT));
    Sleep(30);
  }
}

void ClickWindow(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void SendKey(WORD vk, bool down) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &i, sizeof i);
  // Paced like a typist: some controls look at the key state between events.
  Sleep(30);
}

void SendButton(MouseButton button, bool down) {
  INPUT i{};
  i.type = INPUT_MOUSE;
  const bool left = button == MouseButton::Left;
  i.mi.dwFlags = down ? (left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN)
                      : (left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
  SendInput(1, &i, sizeof i);
  Sleep(30);
}

void PressKeys(std::initializer_list<WORD> keys) {
  for (WORD k : keys) SendKey(k, true);
  for (auto it = keys.end(); it != keys.begin();) SendKey(*--it, false);
}

bool ClickToFocus(HWND control) {
  const DWORD thread = GetWindowThreadProcessId(control, nullptr);
  auto focused = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
  };
  // Focusing is idempotent, so a click that got lost on the way is repeated.
  for (int attempt = 0; attempt < 5; ++attempt) {
    ClickWindow(control);
    if (WaitFor(focused, std::chrono::seconds(2))) return true;
  }
  return false;
}

void PressButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool BringToFront(HWND window) {
  return WaitFor([&] {
    SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  }, std::chrono::seconds(10));
}

}  // namespace gx::test
