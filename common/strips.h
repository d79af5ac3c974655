#pragma once
// Picture and mask strips: one cell of w x h per button, side by side.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/handle.h"

namespace gx {

inline constexpr COLORREF kStripBackground = RGB(192, 192, 192);
// Larger cells than this are no pictures but damaged profiles.
inline constexpr int kMaxCellSide = 1024;

UniqueBitmap LoadBitmapFile(const std::string& path);

// Cell k of a strip (columns k*w to k*w+w-1, all rows), scaled to w x h, as a
// bitmap compatible with the screen. Null when the cell lies outside the strip
// or the sizes make no sense.
UniqueBitmap StripCell(HBITMAP strip, int k, int w, int h);

// How many whole cells of width w the strip holds; 0 for no strip.
int StripCellCount(HBITMAP strip, int w);

// Cells first .. first+count-1 side by side in one bitmap of count*w x h,
// each scaled as StripCell scales it; cells from `usable` on are blank: black
// pictures, all-transparent (white) masks. Masks come out monochrome, as an
// image list takes them. One stretch for all cells, so that an image list is
// filled in one call.
enum class StripKind { Picture, Mask };
UniqueBitmap StripCellRow(HBITMAP strip, int first, int count, int usable, int w, int h, StripKind kind);

// Saves a bitmap as a Windows bitmap file at the given depth (16, 24 or 32).
bool SaveBitmapFile(const std::string& path, HBITMAP bitmap, int bitsPerPixel);

// The colour depth strips are written at: the screen's, where a file can hold it.
int StripBitsPerPixel();

// Draws the first `count` images of the list into a picture strip (on silver)
// and a mask strip (black opaque, white transparent) and saves both.
bool WriteStrips(const std::string& picturePath, const std::string& maskPath, HIMAGELIST images, int count,
                 int w, int h);

}  // namespace gx
