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

}  // namespace gx
