#pragma once
// Profiles: the per-program description of a floating panel, kept as a text
// file and two picture strips under one base name.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/textcase.h"

namespace gx {

inline constexpr char kProfileTextExt[] = ".mpf";
inline constexpr char kPictureStripExt[] = ".bmp";
inline constexpr char kMaskStripExt[] = ".bmm";
// The control panel's scratch copy; never a window's name, which always has "_".
inline constexpr char kScratchProfile[] = "temp";
inline constexpr size_t kMaxClassNameChars = 100;

struct ProfileNames {
  std::string base;      // cleaned; every writer uses it
  std::string fallback;  // program and class as they are
};

// The base names of a window from its program path, class name and version
// stamp. An empty path gives an empty program name.
ProfileNames MakeProfileNames(const std::string& programPath, const std::string& className,
                              const std::string& versionStamp, CaseFn upper = AsciiUpper,
                              CaseFn lower = AsciiLower);

// Which files a reader takes: the text under the base name, else the fallback;
// the strips under the chosen name, else the fallback, and only both together.
struct ProfileChoice {
  std::optional<std::string> text;    // base name whose .mpf is read
  std::optional<std::string> strips;  // base name whose .bmp and .bmm are read
};
using FileExistsFn = std::function<bool(const std::string& fileName)>;
ProfileChoice ChooseProfileFiles(const ProfileNames& names, const FileExistsFn& exists);

// Line numbers (1-based) of the fixed part of a profile text.
enum ProfileLine : int {
  kLineAutoOpen = 1,
  kLineCaption,
  kLineEnlarge,
  kLineButtonMode,
  kLineListView,
  kLinePictureHeight,
  kLinePictureWidth,
  kLineClientHeight,
  kLineClientWidth,
  kLineLeft,
  kLineTop,
};
inline constexpr int kFixedLines = 11;

struct ProfileButton {
  uint32_t id = 0;
  std::string caption;
};

struct ProfileText {
  std::array<std::string, kFixedLines> fixed;  // raw lines 1..11
  std::vector<ProfileButton> buttons;

  const std::string& Line(int number) const { return fixed[static_cast<size_t>(number - 1)]; }
  std::string& Line(int number) { return fixed[static_cast<size_t>(number - 1)]; }
};

// "4021;Save;All" -> 4021, "Save;All"; "Print" -> 0, "Print".
ProfileButton ParseButtonLine(const std::string& line);
std::string FormatButtonLine(const ProfileButton& button);

// Reads the bytes of a profile text. Lines end with CR LF, LF or CR; missing
// fixed lines read as empty.
ProfileText ParseProfileText(const std::string& bytes);
// CR LF after every line, the last one included.
std::string FormatProfileText(const ProfileText& text);

// How readers take the fields they use.
enum class ButtonMode { TextAndImage = 0, Image = 1, Text = 2 };
ButtonMode ReadButtonMode(const std::string& line);
bool ReadListView(const std::string& line);   // exactly "0"
bool ReadAutoOpen(const std::string& line);   // exactly "0"
bool IsDefaultPosition(const std::string& line);  // exactly "def"
int32_t ReadProfileNumber(const std::string& line);

}  // namespace gx
