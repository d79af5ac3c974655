#pragma once
// The floating panel: a tool window owned by a host program's top-level
// window, with one tool-bar button per command of the host's profile.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/handle.h"
#include "ui/window.h"

namespace gx::hook {

class TGantrixForm : public ui::WindowClass<TGantrixForm> {
 public:
  static const wchar_t* ClassName() { return L"TGantrixForm"; }

  // Control ids, also for tests that look into a panel.
  enum : int { kToolBar2 = 1, kLabel1 = 2, kButton1 = 3 };
  enum : UINT { kEst1 = 100, kAboutGantrix1 = 101, kFirstButton = 1000 };
  // Tool-bar buttons made from one profile at most.
  static constexpr size_t kMaxToolButtons = 1000;

  // `module` is the library whose resources and window classes the panel uses.
  explicit TGantrixForm(HINSTANCE module);

  // Creates the hidden panel window owned by `host`; FormCreate runs.
  bool Create(HWND host);

  // The host's top-level window, fixed at creation.
  HWND Tag() const { return tag_; }

  // The panel's own open state, distinct from whether its window is shown:
  // hiding the panel together with its host leaves it true.
  bool Visible() const { return visible_; }
  // Shows (and sets the state) or hides the panel as the user sees it.
  void SetVisible(bool on);

  // Builds the panel from the host's profile in `profilesDir` (ending with
  // "\"); with `applyPosition` it also takes the profile's place.
  void LoadButtons(const std::string& profilesDir, HWND host, bool applyPosition);

  // Writes the profile text back under the host's profile base name; nothing
  // for a panel without buttons. False when the write failed.
  bool ActSaveExecute();

  // What the tool bar holds, for the save and for tests.
  struct PanelButton {
    std::string name;  // "n" followed by the command identifier
    std::string caption;
    std::wstring wide;  // the caption as the tool bar and the hints take it
  };
  const std::vector<PanelButton>& Buttons() const { return buttons_; }
  HWND ToolBar() const { return toolBar2_; }
  HIMAGELIST Images() const { return imageList3_.get(); }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Event handlers.
  void FormCreate();
  void FormResize();
  void FormClose();
  void MayToolButtonClick(size_t index);
  void est1Click();
  void Button1Click();
  void AboutGantrix1Click();
  void Loadlanguage(const std::string& name);

 private:
  void RefreshImages(const std::string& dir, const std::string& name);
  void ToolBarRealign();
  void ClearButtons();
  void CreateToolBar();
  void ShowNoProfileFace(HWND host);
  void SetClientSize(int w, int h);
  POINT PointerPlace(int clientW, int clientH) const;
  void StartControlPanel();
  void ApplyButtonMode();
  void AttachHints();
  // The notice and its button, made the first time a build finds no profile.
  void CreateNotice();
  void HideNotice();

  HINSTANCE module_;
  HWND tag_ = nullptr;
  bool visible_ = false;
  std::string modeText_;
  std::string listText_;
  int pictureHeight_ = 16;
  int pictureWidth_ = 16;
  bool hasProfile_ = false;

  HWND toolBar2_ = nullptr;
  HWND label1_ = nullptr;
  HWND button1_ = nullptr;
  std::string label1Text_;
  std::string button1Text_ = "Run Gantrix (Control Panel)";
  UniqueImageList imageList3_;
  UniqueMenu popupMenu1_;
  std::vector<PanelButton> buttons_;
  // Made when the pointer first comes to the tool bar: registering a hint
  // for every button costs more than building the rest of the panel.
  HWND hints_ = nullptr;
  bool hintsAttached_ = false;
};

}  // namespace gx::hook
