#include "common/profile_files.h"

#include <gtest/gtest.h>

#include "common/strips.h"
#include "common/unicode.h"
#include "tests/win32/testutil.h"

namespace gx {
namespace {

ProfileText SampleProfile() {
  ProfileText t;
  t.fixed = {"0", "Éditeur tools", "10", "1", "0", "16", "20", "60", "120", "def", "33"};
  t.buttons = {{4021, "Save;All"}, {4022, ""}, {7, "Café"}};
  return t;
}

int FileCount(const std::string& dir) {
  int n = 0;
  WIN32_FIND_DATAW d;
  HANDLE f = FindFirstFileW(Widen(dir + "*").c_str(), &d);
  if (f == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
  } while (FindNextFileW(f, &d));
  FindClose(f);
  return n;
}

TEST(ProfileFiles, TextIsWrittenInTheAnsiCodePageAndReadBackExactly) {
  test::TempDir dir;
  const std::string path = dir / "editor_editormain_1310721.mpf";
  ASSERT_TRUE(WriteProfileTextFile(path, SampleProfile()));

  // The code page of this system: é is one byte, and every line ends with CR LF.
  const std::string expected = "0\r\n" + Utf8ToAnsi("Éditeur tools") +
                               "\r\n10\r\n1\r\n0\r\n16\r\n20\r\n60\r\n120\r\ndef\r\n33\r\n4021;Save;All\r\n"
                               "4022;\r\n7;" + Utf8ToAnsi("Café") + "\r\n";
  EXPECT_EQ(test::ReadFileBytes(path), expected);
  EXPECT_EQ(Utf8ToAnsi("é").size(), 1u);

  const std::optional<ProfileText> back = ReadProfileTextFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->fixed, SampleProfile().fixed);
  ASSERT_EQ(back->buttons.size(), 3u);
  EXPECT_EQ(back->buttons[2].id, 7u);
  EXPECT_EQ(back->buttons[2].caption, "Café");
  EXPECT_EQ(FileCount(dir.path()), 1);  // no temporary file left behind
}

TEST(ProfileFiles, MissingFileReadsAsNone) {
  test::TempDir dir;
  EXPECT_FALSE(ReadProfileTextFile(dir / "none.mpf"));
}

TEST(ProfileFiles, FailedWriteKeepsTheOldProfile) {
  test::TempDir dir;
  const std::string path = dir / "p_x_0.mpf";
  ASSERT_TRUE(WriteProfileTextFile(path, SampleProfile()));
  const std::string before = test::ReadFileBytes(path);

  // The write breaks off after part of the new text.
  const WriteBytesFn halfThenFail = [](void* file, const std::string& bytes) {
    DWORD n = 0;
    WriteFile(static_cast<HANDLE>(file), bytes.data(), static_cast<DWORD>(bytes.size() / 2), &n, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return false;
  };
  EXPECT_FALSE(ReplaceFileContents(path, "1\r\nnew\r\n", halfThenFail));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(test::ReadFileBytes(path), before);
  EXPECT_EQ(FileCount(dir.path()), 1);

  // A write into a folder that does not exist fails and creates nothing.
  EXPECT_FALSE(WriteProfileTextFile(dir / "missing\\p.mpf", SampleProfile()));
}

TEST(ProfileFiles, AReaderHoldingTheFileBlocksOnlyUntilItCloses) {
  test::TempDir dir;
  const std::string path = dir / "p_x_0.mpf";
  ASSERT_TRUE(WriteProfileTextFile(path, SampleProfile()));
  // A reader in another process opens profiles the way our reader does.
  UniqueFile reader(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  ASSERT_TRUE(reader);
  ProfileText changed = SampleProfile();
  changed.Line(kLineCaption) = "changed";
  // While it is open the old text stays whole and the failure is reported.
  EXPECT_FALSE(WriteProfileTextFile(path, changed));
  EXPECT_EQ(ReadProfileTextFile(path)->Line(kLineCaption), "Éditeur tools");
  EXPECT_EQ(FileCount(dir.path()), 1);
  reader.reset();
  EXPECT_TRUE(WriteProfileTextFile(path, changed));
  EXPECT_EQ(ReadProfileTextFile(path)->Line(kLineCaption), "changed");
}

TEST(ProfileFiles, LookupInAFolder) {
  test::TempDir dir;
  const ProfileNames names{"ed_main_1", "ed_Main"};
  EXPECT_FALSE(FindProfile(dir.path(), names).text);
  ASSERT_TRUE(test::WriteFileBytes(dir / "ed_Main.mpf", "1\r\n"));
  ASSERT_TRUE(test::WriteFileBytes(dir / "ed_Main.bmp", "x"));
  ASSERT_TRUE(test::WriteFileBytes(dir / "ed_Main.bmm", "x"));
  ProfileChoice c = FindProfile(dir.path(), names);
  EXPECT_EQ(c.text.value_or(""), "ed_Main");
  EXPECT_EQ(c.strips.value_or(""), "ed_Main");
  // A later save goes under the base name; the pictures still come from the fallback.
  ASSERT_TRUE(WriteProfileTextFile(dir / "ed_main_1.mpf", SampleProfile()));
  c = FindProfile(dir.path(), names);
  EXPECT_EQ(c.text.value_or(""), "ed_main_1");
  EXPECT_EQ(c.strips.value_or(""), "ed_Main");
}

// Strips: image list entries in, cells out.
class Strips : public ::testing::Test {
 protected:
  static constexpr int kW = 8, kH = 6;
  static constexpr COLORREF kColors[3] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};

  // Image k: its colour on the left half, transparent on the right half.
  UniqueImageList MakeImages() {
    UniqueImageList list(ImageList_Create(kW, kH, ILC_COLOR24 | ILC_MASK, 3, 0));
    ScreenDc screen;
    for (COLORREF color : kColors) {
      UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), kW, kH));
      UniqueBitmap mask(CreateBitmap(kW, kH, 1, 1, nullptr));
      UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
      {
        SelectedObject s(dc.get(), picture.get());
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) SetPixel(dc.get(), x, y, x < kW / 2 ? color : RGB(0, 0, 0));
      }
      {
        SelectedObject s(dc.get(), mask.get());
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) SetPixel(dc.get(), x, y, x < kW / 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
      }
      EXPECT_GE(ImageList_Add(list.get(), picture.get(), mask.get()), 0);
    }
    return list;
  }

  static COLORREF Pixel(HBITMAP bitmap, int x, int y) {
    ScreenDc screen;
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectedObject s(dc.get(), bitmap);
    return GetPixel(dc.get(), x, y);
  }
};

TEST_F(Strips, WrittenAndReadBackCellByCell) {
  test::TempDir dir;
  UniqueImageList images = MakeImages();
  ASSERT_TRUE(WriteStrips(dir / "p.bmp", dir / "p.bmm", images.get(), 3, kW, kH));

  UniqueBitmap picture = LoadBitmapFile(dir / "p.bmp");
  UniqueBitmap mask = LoadBitmapFile(dir / "p.bmm");
  ASSERT_TRUE(picture && mask);
  BITMAP info{};
  GetObjectW(picture.get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, kW * 3);
  EXPECT_EQ(info.bmHeight, kH);

  for (int k = 0; k < 3; ++k) {
    UniqueBitmap cell = StripCell(picture.get(), k, kW, kH);
    UniqueBitmap cellMask = StripCell(mask.get(), k, kW, kH);
    ASSERT_TRUE(cell && cellMask) << k;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const bool opaque = x < kW / 2;
        EXPECT_EQ(Pixel(cell.get(), x, y), opaque ? kColors[k] : kStripBackground) << k << " " << x << "," << y;
        EXPECT_EQ(Pixel(cellMask.get(), x, y), opaque ? RGB(0, 0, 0) : RGB(255, 255, 255)) << k;
      }
    }
  }
  EXPECT_FALSE(StripCell(picture.get(), 3, kW, kH)) << "a cell beyond the strip";
  EXPECT_FALSE(StripCell(picture.get(), -1, kW, kH));
  EXPECT_FALSE(StripCell(picture.get(), 0, 0, kH));
  EXPECT_FALSE(StripCell(picture.get(), 0, kW, 100000));
}

TEST_F(Strips, CellsAreScaledToThePictureSize) {
  test::TempDir dir;
  UniqueImageList images = MakeImages();
  ASSERT_TRUE(WriteStrips(dir / "p.bmp", dir / "p.bmm", images.get(), 3, kW, kH));
  UniqueBitmap picture = LoadBitmapFile(dir / "p.bmp");
  // Read as if the profile said twice the height: the strip is stretched, not cut.
  UniqueBitmap tall = StripCell(picture.get(), 1, kW, kH * 2);
  ASSERT_TRUE(tall);
  BITMAP info{};
  GetObjectW(tall.get(), sizeof info, &info);
  EXPECT_EQ(info.bmHeight, kH * 2);
  EXPECT_EQ(Pixel(tall.get(), 0, kH * 2 - 1), kColors[1]);
  EXPECT_EQ(Pixel(tall.get(), kW - 1, 0), kStripBackground);
}

TEST_F(Strips, NoButtonsGiveStripsWithoutCells) {
  test::TempDir dir;
  ASSERT_TRUE(WriteStrips(dir / "p.bmp", dir / "p.bmm", nullptr, 0, kW, kH));
  EXPECT_TRUE(FileExists(dir / "p.bmp"));
  EXPECT_TRUE(FileExists(dir / "p.bmm"));
  UniqueBitmap picture = LoadBitmapFile(dir / "p.bmp");
  EXPECT_FALSE(StripCell(picture.get(), 0, kW, kH));
}

TEST_F(Strips, GarbageFilesGiveNoPictures) {
  test::TempDir dir;
  ASSERT_TRUE(test::WriteFileBytes(dir / "bad.bmp", "BM this is no bitmap"));
  UniqueBitmap picture = LoadBitmapFile(dir / "bad.bmp");
  EXPECT_FALSE(picture);
  EXPECT_FALSE(StripCell(picture.get(), 0, kW, kH));
}

}  // namespace
}  // namespace gx
