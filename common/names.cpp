#include "common/names.h"

#include <algorithm>

namespace gx {

const std::array<const char*, 31> ReservedNameTable = {
    "<",    ">",    ":",    "\"",   "/",    "\\",   "|",    ".",    "CON",  "PRN",  "AUX",
    "CLOCK$", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9",
    "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

std::string CleanFileName(const std::string& text, CaseFn upper, CaseFn lower) {
  std::string s = upper(text);
  for (const char* entry : ReservedNameTable) {
    const std::string e(entry);
    for (size_t at = s.find(e); at != std::string::npos; at = s.find(e)) s.erase(at, e.size());
  }
  std::string kept;
  kept.reserve(s.size());
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 32) kept += c;
  return lower(kept);
}

namespace {

std::string CleanCaption(const std::string& caption, bool mainVariant) {
  std::string s = caption;
  const size_t escaped = s.find("&&");
  if (escaped != std::string::npos) {
    s.erase(escaped, 2);
    const size_t mark = s.find('&');
    if (mark != std::string::npos) s.erase(mark, 1);
    if (mainVariant) {
      s.insert(std::min(escaped, s.size()), "& ");
    } else {
      const size_t at = escaped == 0 ? 0 : escaped - 1;
      s.insert(std::min(at, s.size()), "&");
    }
  } else {
    const size_t mark = s.find('&');
    if (mark != std::string::npos) s.erase(mark, 1);
  }
  // A tab (or another low control character) before the shortcut text.
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (static_cast<unsigned char>(s[i]) < 19) {
      s.replace(i, 1, " (");
      s += ")";
      break;
    }
  }
  return s;
}

}  // namespace

std::string CleanMenuCaption(const std::string& caption) { return CleanCaption(caption, false); }
std::string CleanMenuCaptionMain(const std::string& caption) { return CleanCaption(caption, true); }

}  // namespace gx
