#include "common/profile.h"

#include "common/names.h"
#include "common/textnumber.h"

namespace gx {

ProfileNames MakeProfileNames(const std::string& programPath, const std::string& className,
                              const std::string& versionStamp, CaseFn upper, CaseFn lower) {
  const size_t sep = programPath.find_last_of("\\:");
  std::string name = sep == std::string::npos ? programPath : programPath.substr(sep + 1);
  const size_t lastDot = name.rfind('.');
  if (lastDot != std::string::npos) {
    // As many characters as the extension has go, starting at the first dot:
    // "my.tool.exe" becomes "myl.exe".
    const size_t extLength = name.size() - lastDot;
    name.erase(name.find('.'), extLength);
  }
  const std::string cls = Utf8Prefix(className, kMaxClassNameChars);
  ProfileNames names;
  names.fallback = name + "_" + cls;
  names.base = CleanFileName(name + "_" + cls + "_" + versionStamp, upper, lower);
  return names;
}

ProfileChoice ChooseProfileFiles(const ProfileNames& names, const FileExistsFn& exists) {
  ProfileChoice choice;
  if (exists(names.base + kProfileTextExt)) choice.text = names.base;
  else if (exists(names.fallback + kProfileTextExt)) choice.text = names.fallback;
  else return choice;

  std::string strips = *choice.text;
  if (!exists(strips + kPictureStripExt)) strips = names.fallback;
  if (exists(strips + kPictureStripExt) && exists(strips + kMaskStripExt)) choice.strips = strips;
  return choice;
}

ProfileButton ParseButtonLine(const std::string& line) {
  const size_t semi = line.find(';');
  if (semi == std::string::npos) return {0, line};
  return {TextToCommandId(line.substr(0, semi)), line.substr(semi + 1)};
}

std::string FormatButtonLine(const ProfileButton& button) {
  return std::to_string(button.id) + ";" + button.caption;
}

ProfileText ParseProfileText(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n) {
    const size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(i));
      break;
    }
    lines.push_back(bytes.substr(i, end - i));
    i = end + 1;
    if (bytes[end] == '\r' && i < n && bytes[i] == '\n') ++i;
  }
  ProfileText text;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (k < kFixedLines) text.fixed[k] = std::move(lines[k]);
    else text.buttons.push_back(ParseButtonLine(lines[k]));
  }
  return text;
}

std::string FormatProfileText(const ProfileText& text) {
  std::string out;
  for (const std::string& line : text.fixed) out += line + "\r\n";
  for (const ProfileButton& button : text.buttons) out += FormatButtonLine(button) + "\r\n";
  return out;
}

ButtonMode ReadButtonMode(const std::string& line) {
  if (line == "1") return ButtonMode::Image;
  if (line == "2") return ButtonMode::Text;
  return ButtonMode::TextAndImage;
}

bool ReadListView(const std::string& line) { return line == "0"; }
bool ReadAutoOpen(const std::string& line) { return line == "0"; }
bool IsDefaultPosition(const std::string& line) { return line == "def"; }
int32_t ReadProfileNumber(const std::string& line) { return RoundToInt32(TextToNumber(line)); }

}  // namespace gx
