#include "common/names.h"

#include <gtest/gtest.h>

namespace gx {
namespace {

TEST(CleanFileName, RemovesReservedTextsInTableOrder) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Notepad_Notepad_655400", "notepad_notepad_655400"},
      {"CONTROL_TForm_0", "trol_tform_0"},
      {"a.b<c>", "abc"},
      {"term.exe_ConsoleWindowClass_0", "termexe_solewindowclass_0"},
      {"x*y?z", "x*y?z"},  // not in the table
      {"COM10_LPT9", "0_"},
      {"CCONON", ""},     // removal repeats while the entry occurs
      {"CPRNON", "con"},  // a CON formed by a later entry's removal stays
      {"C.ON", ""},       // "." goes before CON is looked for
      {"clock$nul", ""},
      {"tab\there\x01", "tabhere"},
      {"a\\b/c|d:e\"f", "abcdef"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanFileName(c.in), c.out) << c.in;
}

TEST(CleanFileName, TableHasItsOrder) {
  ASSERT_EQ(ReservedNameTable.size(), 31u);
  EXPECT_STREQ(ReservedNameTable[7], ".");
  EXPECT_STREQ(ReservedNameTable[8], "CON");
  EXPECT_STREQ(ReservedNameTable[11], "CLOCK$");
  EXPECT_STREQ(ReservedNameTable[13], "COM1");
  EXPECT_STREQ(ReservedNameTable[30], "LPT9");
}

TEST(CleanMenuCaption, BothVariants) {
  const struct {
    const char* in;
    const char* out;
    const char* mainOut;
  } cases[] = {
      {"&File", "File", "File"},
      {"E&xit\tAlt+X", "Exit (Alt+X)", "Exit (Alt+X)"},
      {"&Open\tCtrl+O", "Open (Ctrl+O)", "Open (Ctrl+O)"},
      {"&Save && Exit", "Save & Exit", "Save  & Exit"},
      {"&&Start", "&Start", "& Start"},
      {"Plain", "Plain", "Plain"},
      {"Last\t", "Last\t", "Last\t"},  // only control character is the last one
      {"", "", ""},
      {"A&&", "&A", "A& "},
      {"\tx", " (x)", " (x)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanMenuCaption(c.in), c.out) << c.in;
    EXPECT_EQ(CleanMenuCaptionMain(c.in), c.mainOut) << c.in;
  }
}

}  // namespace
}  // namespace gx
