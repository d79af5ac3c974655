#include "hook/panels.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/registry.h"
#include "common/settings.h"
#include "hook/contain.h"
#include "hook/gantrixform.h"
#include "hook/lifetime.h"

namespace gx::hook {
namespace {

using PanelList = std::vector<std::unique_ptr<TGantrixForm>>;

PanelList g_panels;

// A show, an activation or a save may let this thread handle a message sent
// from another thread meanwhile, the close broadcast among them. Panels closed
// then are parked here while a loop further up still holds one of them, and
// freed when the outermost loop ends.
PanelList g_closed;
int g_depth = 0;

class InUse {
 public:
  InUse() { ++g_depth; }
  ~InUse() {
    if (--g_depth == 0 && !g_closed.empty()) {
      // Destroying a window re-enters the hooks; they find the parking empty.
      PanelList closed = std::move(g_closed);
      g_closed.clear();
    }
  }
  InUse(const InUse&) = delete;
  InUse& operator=(const InUse&) = delete;
};

// A panel whose window is gone was destroyed with its host window; it can't
// come back, and its host's handle may soon belong to another window.
bool Alive(const TGantrixForm* panel) { return panel && panel->hwnd(); }

void ForgetDeadPanels() {
  if (g_depth != 0) return;
  g_panels.erase(std::remove_if(g_panels.begin(), g_panels.end(),
                                [](const std::unique_ptr<TGantrixForm>& p) { return !Alive(p.get()); }),
                 g_panels.end());
}

// Calls `step` for every live panel, in list order. Panels opened meanwhile
// are visited too; a close-down meanwhile ends the loop.
template <class Step>
void ForEachPanel(Step&& step) noexcept {
  InUse use;
  for (size_t i = 0; i < g_panels.size(); ++i) {
    TGantrixForm* panel = g_panels[i].get();
    if (Alive(panel)) Contained([&] { step(*panel); });
  }
}

void ReloadPanel(TGantrixForm& panel, HWND host, bool applyPosition) {
  panel.LoadButtons(SettingText(kValProfilesPath), host, applyPosition);
}

}  // namespace

TGantrixForm* PanelOf(HWND host) noexcept {
  for (const auto& panel : g_panels)
    if (Alive(panel.get()) && panel->Tag() == host) return panel.get();
  return nullptr;
}

bool IsPanelWindow(HWND window) noexcept {
  for (const auto& panel : g_panels)
    if (Alive(panel.get()) && panel->hwnd() == window) return true;
  return false;
}

void OpenPanel(HWND host) noexcept {
  Contained([&] {
    ForgetDeadPanels();
    InUse use;
    auto created = std::make_unique<TGantrixForm>(Instance());
    if (!created->Create(host)) return;
    TGantrixForm& panel = *created;
    g_panels.push_back(std::move(created));
    // Built before it is shown: shown first, the empty panel would flash up at
    // its design place and size, and every step of the build would repaint it.
    // A build that fails midway still shows what it made.
    Contained([&] { ReloadPanel(panel, host, true); });
    panel.SetVisible(true);
    SetActiveWindow(host);
  });
}

void FlipPanel(HWND host) noexcept {
  TGantrixForm* panel = PanelOf(host);
  if (!panel) return OpenPanel(host);
  Contained([&] {
    InUse use;
    if (!IsWindowVisible(panel->Tag())) return;
    panel->SetVisible(!panel->Visible());
    if (panel->Visible()) SetActiveWindow(host);
  });
}

void HidePanelWindow(HWND panelWindow) noexcept {
  ForEachPanel([&](TGantrixForm& panel) {
    if (panel.hwnd() != panelWindow) return;
    panel.SetVisible(false);
    if (IsWindowVisible(panel.Tag())) SetActiveWindow(panel.Tag());
  });
}

void ReloadPanels() noexcept {
  ForEachPanel([](TGantrixForm& panel) { ReloadPanel(panel, panel.Tag(), false); });
}

void HideWithHost(HWND host) noexcept {
  ForEachPanel([&](TGantrixForm& panel) {
    if (panel.Tag() != host) return;
    // A failed save still hides the panel with its host.
    Contained([&] { panel.ActSaveExecute(); });
    ShowWindow(panel.hwnd(), SW_HIDE);
  });
}

void ShowWithHost(HWND host) noexcept {
  ForEachPanel([&](TGantrixForm& panel) {
    if (panel.Tag() != host) return;
    panel.SetVisible(true);  // restores a minimized panel as well
    SetActiveWindow(panel.Tag());
  });
}

void SaveAllPanels() noexcept {
  ForEachPanel([](TGantrixForm& panel) { panel.ActSaveExecute(); });
}

void CloseAllPanels() noexcept {
  Contained([] {
    InUse use;
    PanelList closing = std::exchange(g_panels, {});
    g_closed.reserve(g_closed.size() + closing.size());
    for (auto& panel : closing)
      if (Alive(panel.get())) Contained([&] { panel->ActSaveExecute(); });
    for (auto& panel : closing) g_closed.push_back(std::move(panel));
  });
}

void AbandonPanels() noexcept {
  // Called as the library leaves the process, under the loader lock and maybe
  // on another thread than the panels': no window may be destroyed here. The
  // forms are released instead of deleted, so that neither this call nor the
  // list's destructor touches a window. At process exit the leak goes with
  // the process; a library unloaded while the process runs has been sent the
  // close message first, which destroyed its panels.
  for (auto& panel : g_panels) static_cast<void>(panel.release());
  for (auto& panel : g_closed) static_cast<void>(panel.release());
  g_panels.clear();
  g_closed.clear();
}

}  // namespace gx::hook
