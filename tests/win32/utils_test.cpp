#include "common/winutils.h"

#include <gtest/gtest.h>

#include "common/unicode.h"
#include "tests/win32/testutil.h"

namespace gx {
namespace {

TEST(WinUtils, WineIsOfTheNtFamily) { EXPECT_TRUE(IsNT()); }

TEST(WinUtils, FileVersionStamp) {
  EXPECT_EQ(FileVersionStamp(test::ProgramDir() + "editor.exe"), "1310721");
  // The test program has no version resource.
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(FileVersionStamp(Narrow(self)), "0");
  EXPECT_EQ(FileVersionStamp(test::ProgramDir() + "no-such-file.exe"), "0");
  EXPECT_EQ(FileVersionStamp(""), "0");
}

TEST(WinUtils, ProfileNameOfAnotherProcessWindow) {
  const std::string exe = test::ProgramDir() + "editor.exe";
  test::ChildProcess editor(exe, "EditorMain");
  ASSERT_TRUE(editor.started());
  HWND window = nullptr;
  ASSERT_TRUE(test::WaitFor([&] { return (window = test::FindTopWindow(editor.pid(), L"EditorMain", true)); }));

  EXPECT_EQ(FileNameLower(WindowProgramPath(window)), FileNameLower(exe));
  const ProfileNames names = ProfileNameOf(window);
  EXPECT_EQ(names.base, "editor_editormain_1310721");
  EXPECT_EQ(names.fallback, "editor_EditorMain");
}

TEST(WinUtils, LongClassNamesAreCut) {
  const std::string longClass = std::string(100, 'K') + std::string(50, 'Q');
  test::ChildProcess editor(test::ProgramDir() + "editor.exe", longClass);
  ASSERT_TRUE(editor.started());
  HWND window = nullptr;
  ASSERT_TRUE(test::WaitFor([&] { return (window = test::FindTopWindow(editor.pid(), Widen(longClass), true)); }));
  const ProfileNames names = ProfileNameOf(window);
  EXPECT_EQ(names.fallback, "editor_" + std::string(100, 'K'));
  EXPECT_EQ(names.base, "editor_" + std::string(100, 'k') + "_1310721");
}

TEST(WinUtils, WindowOfNoProcessHasNoPath) {
  EXPECT_EQ(WindowProgramPath(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7FFFFFF0))), "");
}

TEST(WinUtils, FileNameCaseFollowsTheSystem) {
  EXPECT_EQ(FileNameUpper("é_abc"), "É_ABC");
  EXPECT_EQ(FileNameLower("ÄÖÜ_ABC"), "äöü_abc");
}

}  // namespace
}  // namespace gx
