#pragma once
// The settings store: five routines that open a key, do one operation and close it.

#include <windows.h>

#include <cstdint>
#include <string>

namespace gx {

enum class RegStatus { Ok, DataTypeError };

// A read either gives a value (the "absent" value when there is none) or says
// that the stored value has another registry type.
template <class T>
struct RegRead {
  RegStatus status = RegStatus::Ok;
  T value{};
  bool ok() const { return status == RegStatus::Ok; }
};

// REG_SZ (or REG_EXPAND_SZ) text; "0" when the key or value is missing.
RegRead<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& name);
// REG_DWORD; 0 when the key or value is missing.
RegRead<uint32_t> ReadRegInteger(HKEY root, const std::string& key, const std::string& name);
// Create the key and its parents as needed; a key that can't be opened stores nothing.
bool WriteRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
bool WriteRegInteger(HKEY root, const std::string& key, const std::string& name, uint32_t value);
// A missing key or value is fine.
void DeleteRegValue(HKEY root, const std::string& key, const std::string& name);

// The same on the settings key of the current user.
RegRead<std::string> ReadSetting(const std::string& name);
RegRead<uint32_t> ReadSettingInteger(const std::string& name);
bool WriteSetting(const std::string& name, const std::string& value);
bool WriteSettingInteger(const std::string& name, uint32_t value);

// A string setting as callers use it: a wrong type counts as missing ("0").
std::string SettingText(const std::string& name);

// Directory of the running program file, with the trailing backslash.
std::string InstallDir();
std::string ProfilesDir();
std::string LanguageDir();

}  // namespace gx
