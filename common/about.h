#pragma once
// The About box, shown modally by the main program, the control panel and the
// floating panels.

#include <windows.h>

#include <string>

#include "ui/controls.h"
#include "ui/window.h"

namespace gx {

class TAbout : public ui::WindowClass<TAbout> {
 public:
  // The control panel's copy is 3 pixels taller, dates itself differently and
  // has no icon of its own.
  enum class Variant { Standard, ControlPanel };
  static const wchar_t* ClassName() { return L"TAbout"; }

  // Control ids, also for tests that look into the box.
  enum : int {
    kMemo1 = 101,
    kButton1 = 102,
    kLabel19,
    kLabel1,
    kLabel16,
    kLabel18,
    kLabel2,
    kImage6,
    kImage7,
    kLabel17,
    kLabel6,
    kLabel15,
    kLabel13,
  };

  bool Create(HINSTANCE instance, HWND owner, Variant variant, HICON icon);
  // Re-labels, rebuilds the translation list and shows the box until it is closed.
  void ShowModal(HWND owner);

  void FormShow();
  void Loadlanguage(const std::string& name);

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // The addresses behind the link labels.
  static std::string HomePage();
  static std::string DeveloperMail();
  static std::string SupportMail();

 private:
  void Label16Click();
  void Label18Click();
  void Label2Click();
  void Button1Click();
  bool IsLink(HWND control) const;
  void DrawPicture(const DRAWITEMSTRUCT& item) const;

  ui::Label label19_, label1_, label16_, label18_, label2_, label17_, label13_;
  ui::Memo memo1_;
  HWND image6_ = nullptr;
  HWND tooltip_ = nullptr;
  HBRUSH face_ = GetSysColorBrush(COLOR_BTNFACE);
};

}  // namespace gx
