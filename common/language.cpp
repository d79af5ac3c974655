#include "common/language.h"

#include <windows.h>

#include "common/unicode.h"

namespace gx {

std::vector<std::string> ListLanguageFiles(const std::string& dir) {
  std::vector<std::string> files;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(dir + "*.ini").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(dir + Narrow(data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return files;
}

std::string IniText(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& fallback) {
  wchar_t buffer[2048] = {};
  GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(fallback).c_str(), buffer, 2048,
                           Widen(file).c_str());
  return Narrow(buffer);
}

LanguageInfo ReadLanguageInfo(const std::string& file) {
  return {IniText(file, kInfoSection, "Language", ""), IniText(file, kInfoSection, "Translator", ""),
          IniText(file, kInfoSection, "Version", "")};
}

std::optional<std::string> FindLanguageFile(const std::string& dir, const std::string& name) {
  for (const std::string& file : ListLanguageFiles(dir))
    if (IniText(file, kInfoSection, "Language", "") == name) return file;
  return std::nullopt;
}

}  // namespace gx
