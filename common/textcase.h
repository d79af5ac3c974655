#pragma once
// Letter case for texts that are ASCII in every case that matters here; the
// Win32 layer brings the system's own rules where file names need them.

#include <string>

namespace gx {

using CaseFn = std::string (*)(const std::string&);

std::string AsciiUpper(const std::string& text);
std::string AsciiLower(const std::string& text);
bool EqualsNoCase(const std::string& a, const std::string& b);

// The first `chars` characters of a UTF-8 text.
std::string Utf8Prefix(const std::string& text, size_t chars);

}  // namespace gx
