#include "common/strips.h"

#include <algorithm>
#include <vector>

#include "common/profile_files.h"
#include "common/unicode.h"

namespace gx {

UniqueBitmap LoadBitmapFile(const std::string& path) {
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(nullptr, Widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

int StripCellCount(HBITMAP strip, int w) {
  BITMAP info{};
  if (!strip || w <= 0 || w > kMaxCellSide || !GetObjectW(strip, sizeof info, &info) || info.bmHeight == 0) return 0;
  return info.bmWidth / w;
}

UniqueBitmap StripCellRow(HBITMAP strip, int first, int count, int usable, int w, int h, StripKind kind) {
  if (first < 0 || count <= 0 || w <= 0 || h <= 0 || w > kMaxCellSide || h > kMaxCellSide ||
      static_cast<long long>(count) * w > 0x7FFF)
    return {};
  BITMAP info{};
  const bool hasStrip = strip && GetObjectW(strip, sizeof info, &info) && info.bmHeight != 0;
  const int held = hasStrip ? std::min(usable, StripCellCount(strip, w)) : 0;
  const int copied = std::clamp(held - first, 0, count);

  ScreenDc screen;
  UniqueMemoryDc target(CreateCompatibleDC(screen.get()));
  const bool mask = kind == StripKind::Mask;
  UniqueBitmap row(mask ? CreateBitmap(count * w, h, 1, 1, nullptr)
                        : CreateCompatibleBitmap(screen.get(), count * w, h));
  if (!target || !row) return {};
  SelectedObject t(target.get(), row.get());
  if (copied > 0) {
    UniqueMemoryDc source(CreateCompatibleDC(screen.get()));
    if (!source) return {};
    SelectedObject s(source.get(), strip);
    const int stripHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    SetStretchBltMode(target.get(), COLORONCOLOR);
    if (!StretchBlt(target.get(), 0, 0, copied * w, h, source.get(), first * w, 0, copied * w, stripHeight, SRCCOPY))
      return {};
  }
  if (copied < count) PatBlt(target.get(), copied * w, 0, (count - copied) * w, h, mask ? WHITENESS : BLACKNESS);
  return row;
}

UniqueBitmap StripCell(HBITMAP strip, int k, int w, int h) {
  if (k < 0 || k >= StripCellCount(strip, w)) return {};
  return StripCellRow(strip, k, 1, k + 1, w, h, StripKind::Picture);
}

int StripBitsPerPixel() {
  ScreenDc screen;
  const int bits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
  return bits == 16 || bits == 32 ? bits : 24;
}

namespace {

BITMAPINFOHEADER BitmapHeader(int width, int height, int bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bits);
  header.biCompression = BI_RGB;
  const size_t stride = ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<size_t>(height));
  return header;
}

std::string BitmapFileBytes(const BITMAPINFOHEADER& header, const std::vector<unsigned char>& pixels) {
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  return bytes;
}

}  // namespace

bool SaveBitmapFile(const std::string& path, HBITMAP bitmap, int bitsPerPixel) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return false;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  const BITMAPINFOHEADER header = BitmapHeader(info.bmWidth, height, bitsPerPixel);
  std::vector<unsigned char> pixels(header.biSizeImage);
  ScreenDc screen;
  BITMAPINFO query{};
  query.bmiHeader = header;
  if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &query, DIB_RGB_COLORS) !=
      height)
    return false;
  return ReplaceFileContents(path, BitmapFileBytes(header, pixels));
}

namespace {


UniqueBitmap DrawStrip(HIMAGELIST images, int count, int w, int h, StripKind kind) {
  ScreenDc screen;
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  UniqueBitmap strip(CreateCompatibleBitmap(screen.get(), w * count, h));
  if (!dc || !strip) return {};
  SelectedObject selected(dc.get(), strip.get());
  const RECT all{0, 0, w * count, h};
  UniqueGdiObject brush(CreateSolidBrush(kind == StripKind::Picture ? kStripBackground : RGB(255, 255, 255)));
  FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
  for (int k = 0; k < count; ++k) {
    if (kind == StripKind::Picture)
      ImageList_DrawEx(images, k, dc.get(), k * w, 0, w, h, kStripBackground, CLR_NONE, ILD_NORMAL);
    else
      ImageList_DrawEx(images, k, dc.get(), k * w, 0, w, h, CLR_NONE, CLR_NONE, ILD_MASK);
  }
  return strip;
}

}  // namespace

bool WriteStrips(const std::string& picturePath, const std::string& maskPath, HIMAGELIST images, int count,
                 int w, int h) {
  if (w <= 0 || h <= 0 || count < 0) return false;
  const int bits = StripBitsPerPixel();
  if (count == 0) {
    // A panel without buttons has strips without cells.
    const std::string empty = BitmapFileBytes(BitmapHeader(0, h, bits), {});
    return ReplaceFileContents(picturePath, empty) && ReplaceFileContents(maskPath, empty);
  }
  if (!images) return false;
  UniqueBitmap picture = DrawStrip(images, count, w, h, StripKind::Picture);
  UniqueBitmap mask = DrawStrip(images, count, w, h, StripKind::Mask);
  return picture && mask && SaveBitmapFile(picturePath, picture.get(), bits) &&
         SaveBitmapFile(maskPath, mask.get(), bits);
}

}  // namespace gx
