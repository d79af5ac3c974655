#pragma once
// The floating panels of this process, at most one per host window, kept in
// the order they were opened. Only the thread of a host window touches its
// panel, and all of it runs inside the hook procedures, so nothing is locked.
//
// Every operation here is noexcept: a panel that fails to build or to save is
// left as it is, and nothing it raised reaches the host program.

#include <windows.h>

namespace gx::hook {

class TGantrixForm;

// The first panel whose host is `host`, or null.
TGantrixForm* PanelOf(HWND host) noexcept;
// Whether `window` is the window of one of our panels.
bool IsPanelWindow(HWND window) noexcept;

// Creates a panel owned by `host`, shows it, gives the activation back to the
// host and builds the panel from the host's profile, taking its place.
void OpenPanel(HWND host) noexcept;

// The panel key in a host window: opens its panel, or shows or hides it.
void FlipPanel(HWND host) noexcept;
// The panel key inside a panel: hides it and activates its host.
void HidePanelWindow(HWND panelWindow) noexcept;

// Every panel rebuilds itself from its profile where it stands.
void ReloadPanels() noexcept;

// The host window was hidden: each of its panels saves and hides, keeping its
// open state. The host was shown: each comes back, open, host activated.
void HideWithHost(HWND host) noexcept;
void ShowWithHost(HWND host) noexcept;

// Every panel writes its profile.
void SaveAllPanels() noexcept;
// Every panel writes its profile and is destroyed; the list ends empty.
void CloseAllPanels() noexcept;

// The library leaves the process: the panels are forgotten without saving.
void AbandonPanels() noexcept;

}  // namespace gx::hook
