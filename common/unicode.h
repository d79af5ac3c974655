#pragma once
// Texts are UTF-8 inside the program and UTF-16 at the Win32 boundary; profile
// files are in the ANSI code page.

#include <string>

namespace gx {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string AnsiToUtf8(const std::string& ansi);
std::string Utf8ToAnsi(const std::string& utf8);

// Upper and lower case by the system's rules, as file names compare.
std::string FileNameUpper(const std::string& text);
std::string FileNameLower(const std::string& text);

}  // namespace gx
