#pragma once
// Cleaning of names: profile file names and menu captions for display.

#include <array>
#include <string>

#include "common/textcase.h"

namespace gx {

// Removed by CleanFileName in this order.
extern const std::array<const char*, 31> ReservedNameTable;

// Upper case, every reserved text removed (first occurrence, repeatedly, entry
// by entry), control characters removed, lower case.
std::string CleanFileName(const std::string& text, CaseFn upper = AsciiUpper,
                          CaseFn lower = AsciiLower);

// "&File" -> "File", "Open\tCtrl+O" -> "Open (Ctrl+O)", "&Save && Exit" -> "Save & Exit".
std::string CleanMenuCaption(const std::string& caption);
// The main program's language menu variant: the escaped ampersand becomes "& ".
std::string CleanMenuCaptionMain(const std::string& caption);

}  // namespace gx
