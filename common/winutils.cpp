#include "common/winutils.h"

#include <vector>

#include "common/handle.h"
#include "common/unicode.h"

namespace gx {

std::optional<OSVERSIONINFOW> SystemVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = GetVersionExW(&info);
#pragma GCC diagnostic pop
  if (!ok) return std::nullopt;
  return info;
}

bool IsNT(bool reportFailure) {
  const std::optional<OSVERSIONINFOW> info = SystemVersion();
  if (!info) {
    if (reportFailure) MessageBoxW(nullptr, L"IsNT", L"Gantrix", MB_OK);
    return false;
  }
  return info->dwPlatformId == VER_PLATFORM_WIN32_NT;
}

namespace {

using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);

// Loaded by name on first use and kept for the life of the process.
GetModuleFileNameExFn ProcessImageNameFunction() {
  static GetModuleFileNameExFn fn = nullptr;
  if (!fn) {
    HMODULE psapi = LoadLibraryW(L"PSAPI.dll");
    if (psapi)
      fn = reinterpret_cast<GetModuleFileNameExFn>(
          reinterpret_cast<void*>(GetProcAddress(psapi, "GetModuleFileNameExW")));
  }
  return fn;
}

constexpr DWORD kPathChars = 261;

}  // namespace

std::string WindowProgramPath(HWND window) {
  wchar_t buffer[kPathChars] = {};
  if (IsNT()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == 0) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    GetModuleFileNameExFn fn = process ? ProcessImageNameFunction() : nullptr;
    if (!fn || fn(process.get(), nullptr, buffer, kPathChars) == 0) return {};
  } else {
    if (GetWindowModuleFileNameW(window, buffer, kPathChars) == 0) return {};
  }
  buffer[kPathChars - 1] = L'\0';
  return Narrow(buffer);
}

std::string FileVersionStamp(const std::string& path) {
  const std::wstring wpath = Widen(path);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(wpath.c_str(), &handle);
  if (size == 0) return "0";
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(wpath.c_str(), 0, size, data.data())) return "0";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return "0";
  return std::to_string(info->dwFileVersionMS) + std::to_string(info->dwFileVersionLS);
}

std::string WindowClassName(HWND window) {
  wchar_t name[257] = {};
  const int n = GetClassNameW(window, name, 257);
  return n > 0 ? Narrow(std::wstring(name, static_cast<size_t>(n))) : std::string();
}

std::string LayoutKeyName(uint8_t virtualKey) {
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  if (scan == 0) return {};
  wchar_t name[64] = {};
  const int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
  return n > 0 ? Narrow(std::wstring(name, static_cast<size_t>(n))) : std::string();
}

ProfileNames ProfileNameOf(HWND window) {
  const std::string path = WindowProgramPath(window);
  return MakeProfileNames(path, WindowClassName(window), FileVersionStamp(path), FileNameUpper,
                          FileNameLower);
}

}  // namespace gx
