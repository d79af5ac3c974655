#include "common/profile_files.h"

#include <algorithm>
#include <vector>

#include "common/handle.h"
#include "common/unicode.h"

namespace gx {

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ProfileChoice FindProfile(const std::string& dir, const ProfileNames& names) {
  return ChooseProfileFiles(names, [&](const std::string& file) { return FileExists(dir + file); });
}

std::optional<ProfileText> ReadProfileTextFile(const std::string& path) {
  // Sharing delete too, so that a writer can replace the file while we read it.
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[16384];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    bytes.append(chunk, read);
  }
  ProfileText text = ParseProfileText(bytes);
  for (std::string& line : text.fixed) line = AnsiToUtf8(line);
  for (ProfileButton& button : text.buttons) button.caption = AnsiToUtf8(button.caption);
  return text;
}

bool WriteProfileTextFile(const std::string& path, const ProfileText& text) {
  ProfileText ansi = text;
  for (std::string& line : ansi.fixed) line = Utf8ToAnsi(line);
  for (ProfileButton& button : ansi.buttons) button.caption = Utf8ToAnsi(button.caption);
  return ReplaceFileContents(path, FormatProfileText(ansi));
}

namespace {

bool WriteAll(void* file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(static_cast<HANDLE>(file), bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& bytes, const WriteBytesFn& write) {
  const std::wstring target = Widen(path);
  const size_t sep = target.find_last_of(L"\\/");
  const std::wstring dir = sep == std::wstring::npos ? L"." : target.substr(0, sep + 1);
  wchar_t temp[MAX_PATH + 16] = {};
  if (dir.size() > MAX_PATH - 14 || !GetTempFileNameW(dir.c_str(), L"gx", 0, temp)) return false;

  bool ok;
  {
    UniqueFile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ok = file && (write ? write(file.get(), bytes) : WriteAll(file.get(), bytes)) && FlushFileBuffers(file.get());
  }
  // A reader that has the old file open blocks the replacement for the moment
  // it reads; try again briefly before giving up.
  for (int attempt = 0; ok; ++attempt) {
    if (MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
    const DWORD error = GetLastError();
    if (attempt >= 9 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)) ok = false;
    else Sleep(20);
  }
  if (!ok) {
    const DWORD error = GetLastError();
    DeleteFileW(temp);
    SetLastError(error);
  }
  return ok;
}

}  // namespace gx
