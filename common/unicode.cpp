#include "common/unicode.h"

#include <windows.h>

namespace gx {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

}  // namespace

std::wstring Widen(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string Narrow(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }
std::string AnsiToUtf8(const std::string& ansi) { return Narrow(ToWide(CP_ACP, ansi)); }
std::string Utf8ToAnsi(const std::string& utf8) { return FromWide(CP_ACP, Widen(utf8)); }

std::string FileNameUpper(const std::string& text) {
  std::wstring w = Widen(text);
  if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  return Narrow(w);
}

std::string FileNameLower(const std::string& text) {
  std::wstring w = Widen(text);
  if (!w.empty()) CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
  return Narrow(w);
}

}  // namespace gx
