#pragma once
// Translations: "*.ini" files in a language folder, each naming its language
// in [Info] and holding the texts of the windows under numbered keys.

#include <optional>
#include <string>
#include <vector>

namespace gx {

inline constexpr char kInfoSection[] = "Info";

// The "*.ini" files of `dir` (ending with "\"), full paths, in listing order.
std::vector<std::string> ListLanguageFiles(const std::string& dir);

// One value of an initialisation file, at most 2047 characters; `fallback` when
// the key is missing (a key present with an empty value gives "").
std::string IniText(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& fallback);

struct LanguageInfo {
  std::string language;
  std::string translator;
  std::string version;
};
LanguageInfo ReadLanguageInfo(const std::string& file);

// The first file in listing order whose [Info] "Language" is exactly `name`.
std::optional<std::string> FindLanguageFile(const std::string& dir, const std::string& name);

// Reads the texts of one window from a language file.
class LanguageTexts {
 public:
  explicit LanguageTexts(std::string file) : file_(std::move(file)) {}
  std::string Get(const char* section, int key, const std::string& fallback) const {
    return IniText(file_, section, std::to_string(key), fallback);
  }

 private:
  std::string file_;
};

}  // namespace gx
