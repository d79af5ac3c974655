#pragma once
// Load and unload of a copy of the hook library in one process.

#include <windows.h>

namespace gx::hook {

// From the load notification, under the loader lock: only kernel32 work here;
// the boxes that report a missing block follow on a thread of their own.
void OnProcessAttach(HINSTANCE instance) noexcept;
void OnProcessDetach() noexcept;

// The library's own module, as the load notification gave it.
HINSTANCE Instance() noexcept;

}  // namespace gx::hook
