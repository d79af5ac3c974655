#include "common/registry.h"

#include <optional>
#include <vector>

#include "common/handle.h"
#include "common/settings.h"
#include "common/unicode.h"

namespace gx {

namespace {

UniqueHKey OpenForRead(HKEY root, const std::string& key) {
  UniqueHKey k;
  if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_READ, k.put()) != ERROR_SUCCESS) k.release();
  return k;
}

UniqueHKey OpenForWrite(HKEY root, const std::string& key) {
  UniqueHKey k;
  if (RegCreateKeyExW(root, Widen(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, k.put(), nullptr) != ERROR_SUCCESS)
    k.release();
  return k;
}

// A stored value's key, name, type and size; nullopt when the key or the value is absent.
struct StoredValue {
  UniqueHKey key;
  std::wstring name;
  DWORD type = 0;
  DWORD size = 0;
};

std::optional<StoredValue> FindValue(HKEY root, const std::string& key, const std::string& name) {
  StoredValue v{OpenForRead(root, key), Widen(name)};
  if (!v.key || RegQueryValueExW(v.key.get(), v.name.c_str(), nullptr, &v.type, nullptr, &v.size) != ERROR_SUCCESS)
    return std::nullopt;
  return v;
}

}  // namespace

RegRead<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& name) {
  RegRead<std::string> result{RegStatus::Ok, kAbsentText};
  std::optional<StoredValue> v = FindValue(root, key, name);
  if (!v) return result;
  if (v->type != REG_SZ && v->type != REG_EXPAND_SZ) return {RegStatus::DataTypeError, {}};
  std::vector<wchar_t> buffer(v->size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (RegQueryValueExW(v->key.get(), v->name.c_str(), nullptr, &v->type, reinterpret_cast<BYTE*>(buffer.data()),
                       &bytes) != ERROR_SUCCESS)
    return result;
  // The stored data need not end with a terminator.
  std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  result.value = Narrow(text);
  return result;
}

RegRead<uint32_t> ReadRegInteger(HKEY root, const std::string& key, const std::string& name) {
  RegRead<uint32_t> result{RegStatus::Ok, 0};
  std::optional<StoredValue> v = FindValue(root, key, name);
  if (!v) return result;
  if (v->type != REG_DWORD || v->size != sizeof(DWORD)) return {RegStatus::DataTypeError, 0};
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(v->key.get(), v->name.c_str(), nullptr, &v->type, reinterpret_cast<BYTE*>(&value), &size) ==
      ERROR_SUCCESS)
    result.value = value;
  return result;
}

bool WriteRegString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
  UniqueHKey k = OpenForWrite(root, key);
  if (!k) return false;
  const std::wstring data = Widen(value);
  return RegSetValueExW(k.get(), Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteRegInteger(HKEY root, const std::string& key, const std::string& name, uint32_t value) {
  UniqueHKey k = OpenForWrite(root, key);
  if (!k) return false;
  const DWORD data = value;
  return RegSetValueExW(k.get(), Widen(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof data) == ERROR_SUCCESS;
}

void DeleteRegValue(HKEY root, const std::string& key, const std::string& name) {
  UniqueHKey k;
  if (RegOpenKeyExW(root, Widen(key).c_str(), 0, KEY_ALL_ACCESS, k.put()) != ERROR_SUCCESS) {
    k.release();
    return;
  }
  RegDeleteValueW(k.get(), Widen(name).c_str());
}

RegRead<std::string> ReadSetting(const std::string& name) {
  return ReadRegString(HKEY_CURRENT_USER, kSettingsKey, name);
}
RegRead<uint32_t> ReadSettingInteger(const std::string& name) {
  return ReadRegInteger(HKEY_CURRENT_USER, kSettingsKey, name);
}
bool WriteSetting(const std::string& name, const std::string& value) {
  return WriteRegString(HKEY_CURRENT_USER, kSettingsKey, name, value);
}
bool WriteSettingInteger(const std::string& name, uint32_t value) {
  return WriteRegInteger(HKEY_CURRENT_USER, kSettingsKey, name, value);
}

std::string SettingText(const std::string& name) {
  RegRead<std::string> r = ReadSetting(name);
  return r.ok() ? r.value : kAbsentText;
}

std::string InstallDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t sep = path.find_last_of(L"\\:");
  return Narrow(sep == std::wstring::npos ? std::wstring() : path.substr(0, sep + 1));
}

std::string ProfilesDir() { return InstallDir() + kProfilesSubdir; }
std::string LanguageDir() { return InstallDir() + kLanguageSubdir; }

}  // namespace gx
