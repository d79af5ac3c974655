#pragma once
// The platform side of the utility routines.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/profile.h"

namespace gx {

// With `reportFailure` a failing version query shows the "IsNT" box; the copy
// used on the hook path stays silent.
bool IsNT(bool reportFailure = false);

// The system's version as the system reports it; nullopt when it won't.
std::optional<OSVERSIONINFOW> SystemVersion();

// Full path of the program file that owns the window, or "".
std::string WindowProgramPath(HWND window);

// Version digits of a file ("1310721" for 2.0.0.1), "0" without version information.
std::string FileVersionStamp(const std::string& path);

std::string WindowClassName(HWND window);

// The keyboard layout's name of a key, "" when it has no scan code.
std::string LayoutKeyName(uint8_t virtualKey);

// The profile base name and fallback base name of a top-level window.
ProfileNames ProfileNameOf(HWND window);

}  // namespace gx
