#include "common/registry.h"

#include <gtest/gtest.h>

#include "common/settings.h"
#include "common/unicode.h"

namespace gx {
namespace {

// Values of our own under the real settings key, removed again afterwards.
class Registry : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const char* name : {"TestText", "TestNumber", "TestWrongType"})
      DeleteRegValue(HKEY_CURRENT_USER, kSettingsKey, name);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Halvorn\\GantrixTestTree");
  }
  static void StoreRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k, Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
  }
};

TEST_F(Registry, TextsAndNumbersRoundTripOnTheSettingsKey) {
  const char* const texts[] = {"C:\\Program Files\\Gantrix\\", "", "0", "Русский", "a;b=c"};
  for (const char* text : texts) {
    ASSERT_TRUE(WriteSetting("TestText", text));
    const RegRead<std::string> r = ReadSetting("TestText");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, text);
  }
  for (uint32_t n : {0u, 1u, 7u, 0xFFFFFFFFu}) {
    ASSERT_TRUE(WriteSettingInteger("TestNumber", n));
    const RegRead<uint32_t> r = ReadSettingInteger("TestNumber");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, n);
  }
  // Stored where other programs look for it: REG_SZ and REG_DWORD.
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str(), L"TestNumber", RRF_RT_ANY, &type,
                         nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(Registry, MissingValuesAndKeysReadAsAbsent) {
  EXPECT_EQ(ReadSetting("TestText").value, "0");
  EXPECT_TRUE(ReadSetting("TestText").ok());
  EXPECT_EQ(ReadSettingInteger("TestNumber").value, 0u);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, "Software\\Halvorn\\NoSuchKey", "X").value, "0");
  EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, "Software\\Halvorn\\NoSuchKey", "X").value, 0u);
  // Deleting what is not there is no error, and creates nothing.
  DeleteRegValue(HKEY_CURRENT_USER, "Software\\Halvorn\\NoSuchKey", "X");
  DeleteRegValue(HKEY_CURRENT_USER, kSettingsKey, "TestText");
  HKEY k = nullptr;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Halvorn\\NoSuchKey", 0, KEY_READ, &k), ERROR_SUCCESS);
}

TEST_F(Registry, WritesCreateMissingParentsAndDeleteRemoves) {
  const std::string key = "Software\\Halvorn\\GantrixTestTree\\a\\b";
  ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, key, "V", "x"));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, "V").value, "x");
  DeleteRegValue(HKEY_CURRENT_USER, key, "V");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key, "V").value, "0");
}

TEST_F(Registry, WrongTypeIsADataTypeErrorNotAValue) {
  const DWORD number = 5;
  const wchar_t text[] = L"5";
  const unsigned char blob[] = {1, 2, 3};
  const struct {
    const char* what;
    DWORD type;
    const void* data;
    DWORD size;
    bool stringOk;
    bool integerOk;
  } cases[] = {
      {"dword", REG_DWORD, &number, sizeof number, false, true},
      {"text", REG_SZ, text, sizeof text, true, false},
      {"expandable text", REG_EXPAND_SZ, text, sizeof text, true, false},
      {"binary", REG_BINARY, blob, sizeof blob, false, false},
  };
  for (const auto& c : cases) {
    StoreRaw("TestWrongType", c.type, c.data, c.size);
    const RegRead<std::string> s = ReadSetting("TestWrongType");
    const RegRead<uint32_t> i = ReadSettingInteger("TestWrongType");
    EXPECT_EQ(s.ok(), c.stringOk) << c.what;
    EXPECT_EQ(i.ok(), c.integerOk) << c.what;
    if (!s.ok()) {
      EXPECT_EQ(s.status, RegStatus::DataTypeError) << c.what;
    }
    if (c.stringOk) {
      EXPECT_EQ(s.value, "5") << c.what;
    }
    if (c.integerOk) {
      EXPECT_EQ(i.value, 5u) << c.what;
    }
    // Callers that only want a text take a wrong type as missing.
    EXPECT_EQ(SettingText("TestWrongType"), c.stringOk ? "5" : "0") << c.what;
  }
}

TEST_F(Registry, TextWithoutTerminatorIsReadWhole) {
  const wchar_t raw[] = {L'a', L'b', L'c'};
  StoreRaw("TestText", REG_SZ, raw, sizeof raw);
  EXPECT_EQ(ReadSetting("TestText").value, "abc");
}

TEST(Directories, DerivedFromTheProgramFile) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe);
  dir.resize(dir.find_last_of(L'\\') + 1);
  EXPECT_EQ(InstallDir(), Narrow(dir));
  EXPECT_EQ(ProfilesDir(), Narrow(dir) + "profiles\\");
  EXPECT_EQ(LanguageDir(), Narrow(dir) + "language\\");
}

}  // namespace
}  // namespace gx
