#include "common/textcase.h"

#include <algorithm>

namespace gx {

std::string AsciiUpper(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string AsciiLower(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

std::string Utf8Prefix(const std::string& text, size_t chars) {
  size_t i = 0;
  for (size_t n = 0; i < text.size() && n < chars; ++n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return text.substr(0, i);
}

}  // namespace gx
