#include "common/profile.h"

#include <gtest/gtest.h>

#include <set>

namespace gx {
namespace {

TEST(ProfileNames, WorkedExamples) {
  const struct {
    const char* path;
    const char* cls;
    const char* version;
    const char* base;
    const char* fallback;
  } cases[] = {
      {"C:\\Apps\\editor.exe", "EditorMain", "1310721", "editor_editormain_1310721", "editor_EditorMain"},
      {"C:\\Tools\\term.exe", "ConsoleWindowClass", "0", "term_solewindowclass_0", "term_ConsoleWindowClass"},
      {"D:\\x\\my.tool.exe", "Cls", "0", "mylexe_cls_0", "myl.exe_Cls"},
      {"C:\\bin\\runner", "Main", "0", "runner_main_0", "runner_Main"},
      {"C:prog.exe", "W", "65540", "prog_w_65540", "prog_W"},
      {"", "Orphan", "0", "_orphan_0", "_Orphan"},
  };
  for (const auto& c : cases) {
    const ProfileNames n = MakeProfileNames(c.path, c.cls, c.version);
    EXPECT_EQ(n.base, c.base) << c.path;
    EXPECT_EQ(n.fallback, c.fallback) << c.path;
  }
}

TEST(ProfileNames, ClassNameIsCutToHundredCharacters) {
  const std::string longClass = std::string(100, 'K') + std::string(50, 'Z');
  const ProfileNames n = MakeProfileNames("C:\\a.exe", longClass, "0");
  EXPECT_EQ(n.fallback, "a_" + std::string(100, 'K'));
  EXPECT_EQ(n.base, "a_" + std::string(100, 'k') + "_0");
}

TEST(ProfileChoice, LookupOrder) {
  const ProfileNames names{"ed_main_1", "ed_Main"};
  const struct {
    const char* what;
    std::set<std::string> files;
    const char* text;    // nullptr: none
    const char* strips;  // nullptr: none
  } cases[] = {
      {"nothing", {}, nullptr, nullptr},
      {"strips alone are no profile", {"ed_main_1.bmp", "ed_main_1.bmm"}, nullptr, nullptr},
      {"all under base", {"ed_main_1.mpf", "ed_main_1.bmp", "ed_main_1.bmm"}, "ed_main_1", "ed_main_1"},
      {"fallback only", {"ed_Main.mpf", "ed_Main.bmp", "ed_Main.bmm"}, "ed_Main", "ed_Main"},
      {"base text wins", {"ed_main_1.mpf", "ed_Main.mpf"}, "ed_main_1", nullptr},
      {"base text, fallback strips", {"ed_main_1.mpf", "ed_Main.bmp", "ed_Main.bmm"}, "ed_main_1", "ed_Main"},
      {"mask missing", {"ed_main_1.mpf", "ed_main_1.bmp"}, "ed_main_1", nullptr},
      // The picture strip decides the name; the mask must then be under the same name.
      {"mask only under base", {"ed_main_1.mpf", "ed_main_1.bmm", "ed_Main.bmp"}, "ed_main_1", nullptr},
  };
  for (const auto& c : cases) {
    const ProfileChoice choice =
        ChooseProfileFiles(names, [&](const std::string& f) { return c.files.count(f) > 0; });
    EXPECT_EQ(choice.text.value_or("-"), c.text ? c.text : "-") << c.what;
    EXPECT_EQ(choice.strips.value_or("-"), c.strips ? c.strips : "-") << c.what;
  }
}

TEST(ProfileText, ButtonLines) {
  const struct {
    const char* line;
    uint32_t id;
    const char* caption;
  } cases[] = {{"4021;Save;All", 4021, "Save;All"},
               {"Print", 0, "Print"},
               {"7;", 7, ""},
               {";x", 0, "x"},
               {"", 0, ""},
               {"99999999999;Big", 0, "Big"}};
  for (const auto& c : cases) {
    const ProfileButton b = ParseButtonLine(c.line);
    EXPECT_EQ(b.id, c.id) << c.line;
    EXPECT_EQ(b.caption, c.caption) << c.line;
  }
}

TEST(ProfileText, RoundTripsExactly) {
  const std::string bytes =
      "1\r\nEditor tools\r\n20\r\n0\r\n1\r\n16\r\n16\r\n60\r\n120\r\ndef\r\ndef\r\n"
      "4021;Save;All\r\n4022;\r\n";
  const ProfileText t = ParseProfileText(bytes);
  EXPECT_EQ(t.Line(kLineCaption), "Editor tools");
  EXPECT_EQ(t.Line(kLineTop), "def");
  ASSERT_EQ(t.buttons.size(), 2u);
  EXPECT_EQ(t.buttons[0].id, 4021u);
  EXPECT_EQ(t.buttons[0].caption, "Save;All");
  EXPECT_EQ(FormatProfileText(t), bytes);
}

TEST(ProfileText, ShortAndOddFiles) {
  const ProfileText shortFile = ParseProfileText("0\r\nCap");
  EXPECT_EQ(shortFile.Line(kLineAutoOpen), "0");
  EXPECT_EQ(shortFile.Line(kLineCaption), "Cap");
  for (int line = kLineEnlarge; line <= kLineTop; ++line) EXPECT_EQ(shortFile.Line(line), "") << line;
  EXPECT_TRUE(shortFile.buttons.empty());

  // Bare LF and CR line ends read too; blank lines after the buttons are buttons.
  const ProfileText mixed = ParseProfileText("1\n2\r3\r\n4\n5\n6\n7\n8\n9\n10\n11\n12;a\n\n");
  EXPECT_EQ(mixed.Line(kLineEnlarge), "3");
  EXPECT_EQ(mixed.Line(kLineTop), "11");
  ASSERT_EQ(mixed.buttons.size(), 2u);
  EXPECT_EQ(mixed.buttons[1].id, 0u);

  std::string empty;
  for (int i = 0; i < kFixedLines; ++i) empty += "\r\n";
  EXPECT_EQ(FormatProfileText(ParseProfileText("")), empty);
}

TEST(ProfileText, FieldReaders) {
  const struct {
    const char* line;
    ButtonMode mode;
    bool listView;
  } cases[] = {{"0", ButtonMode::TextAndImage, true},
               {"1", ButtonMode::Image, false},
               {"2", ButtonMode::Text, false},
               {"3", ButtonMode::TextAndImage, false},
               {"", ButtonMode::TextAndImage, false},
               {" 0", ButtonMode::TextAndImage, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ReadButtonMode(c.line), c.mode) << c.line;
    EXPECT_EQ(ReadListView(c.line), c.listView) << c.line;
  }
  EXPECT_TRUE(ReadAutoOpen("0"));
  EXPECT_FALSE(ReadAutoOpen("1"));
  EXPECT_FALSE(ReadAutoOpen("00"));
  EXPECT_TRUE(IsDefaultPosition("def"));
  EXPECT_FALSE(IsDefaultPosition("Def"));
  EXPECT_FALSE(IsDefaultPosition(""));
  EXPECT_EQ(ReadProfileNumber("16,6"), 17);
  EXPECT_EQ(ReadProfileNumber("12px"), 12);
  EXPECT_EQ(ReadProfileNumber("abc"), 0);
  EXPECT_EQ(ReadProfileNumber(""), 0);
  EXPECT_EQ(ReadProfileNumber("-40"), -40);
  EXPECT_EQ(ReadProfileNumber("99999999999"), 2147483647);
}

}  // namespace
}  // namespace gx
