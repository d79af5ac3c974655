#include "common/about.h"

#include <shellapi.h>

#include "common/language.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/unicode.h"

namespace gx {

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A label as large as its text.
ui::Label AutoLabel(HWND parent, const std::string& text, int x, int y, int id, HFONT font, DWORD style = 0) {
  HDC dc = GetDC(parent);
  HGDIOBJ old = SelectObject(dc, font);
  const std::wstring w = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(parent, dc);
  ui::Label label = ui::Label::Create(parent, text, x, y, size.cx + 2, size.cy, id, SS_LEFT | SS_NOPREFIX | style);
  label.SetFont(font);
  return label;
}

void OpenWithShell(const std::string& target) {
  ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace

std::string TAbout::HomePage() {
  // Kept in pieces and joined when used.
  const char* const pieces[] = {"ht", "tp://", "www.", "example", ".org", "/gantrix/"};
  std::string address;
  for (const char* piece : pieces) address += piece;
  return address;
}
std::string TAbout::DeveloperMail() { return "mailto:team@example.org"; }
std::string TAbout::SupportMail() { return "mailto:support@example.org"; }

bool TAbout::Create(HINSTANCE instance, HWND owner, Variant variant, HICON icon) {
  Register(instance, variant == Variant::ControlPanel ? nullptr : icon);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const int height = variant == Variant::ControlPanel ? 328 : 325;
  // Without an icon of its own the box gets a dialog frame, which shows none.
  const DWORD exStyle = variant == Variant::ControlPanel ? WS_EX_DLGMODALFRAME : 0;
  if (!CreateCentred(instance, "About Gantrix", style, exStyle, 476, height, owner)) return false;
  HWND w = hwnd_;
  HFONT bold = ui::BoldFont();
  HFONT normal = ui::DefaultFont();

  // Labels first, so the panels below them in the z-order never paint over them.
  const int p1x = 128, p1y = 2;  // Panel1, right of the logo
  label13_ = AutoLabel(w, "Gantrix", p1x + 8, p1y + 6, kLabel13, bold);
  label17_ = AutoLabel(w, "Version 1.40", p1x + 112, p1y + 6, kLabel17, normal);
  AutoLabel(w, variant == Variant::ControlPanel ? "10.10.2003" : "10/10/2003", p1x + 284, p1y + 20, kLabel6, normal);
  AutoLabel(w, "The Development:", p1x + 8, p1y + 34, kLabel15, normal);
  label16_ = AutoLabel(w, "The Gantrix team", p1x + 104, p1y + 34, kLabel16, normal, SS_NOTIFY);
  label18_ = AutoLabel(w, "www.example.org/gantrix", p1x + 8, p1y + 48, kLabel18, normal, SS_NOTIFY);
  label2_ = AutoLabel(w, "support@example.org", p1x + 160, p1y + 48, kLabel2, normal, SS_NOTIFY);
  ui::CreateControl(w, L"STATIC", "", SS_OWNERDRAW, 2 + 2, 2 + 2, 118, 63, kImage7);
  ui::CreateControl(w, L"STATIC", "", SS_SUNKEN | WS_CLIPSIBLINGS, 2, 2, 123, 69, 0);       // Panel5
  ui::CreateControl(w, L"STATIC", "", SS_SUNKEN | WS_CLIPSIBLINGS, p1x, p1y, 346, 69, 0);   // Panel1

  label19_ = AutoLabel(w, "Our thanks to:", 4, 139, kLabel19, bold);
  memo1_ = ui::Memo(ui::CreateControl(w, ui::Memo::kClass, "",
                                      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 4, 154, 461, 69,
                                      kMemo1, WS_EX_STATICEDGE));
  ui::Button::Create(w, "OK", 392, 232, 75, 25, kButton1, BS_DEFPUSHBUTTON | WS_TABSTOP);
  label1_ = AutoLabel(w, "Our reliable Internet partner:", 4, 246, kLabel1, bold);
  image6_ = ui::CreateControl(w, L"STATIC", "", SS_OWNERDRAW | SS_NOTIFY, 4, 262, 468, 60, kImage6);

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, w,
                             nullptr, instance, nullptr);
  if (tooltip_) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = w;
    tool.uId = reinterpret_cast<UINT_PTR>(image6_);
    std::wstring hint = L"Example Hosting, www.example.org";
    tool.lpszText = hint.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

void TAbout::ShowModal(HWND owner) {
  FormShow();
  ui::RunModal(hwnd_, owner);
}

void TAbout::FormShow() {
  const std::string language = SettingText(kValLanguage);
  if (language != kAbsentText) Loadlanguage(language);
  const std::string dir = SettingText(kValLanguagePath);
  memo1_.Clear();
  if (dir == kAbsentText) return;
  std::string lines;
  for (const std::string& file : ListLanguageFiles(dir)) {
    const LanguageInfo info = ReadLanguageInfo(file);
    if (!lines.empty()) lines += "\r\n";
    lines += info.language + "  Translate version " + info.version + "; " + info.translator;
  }
  memo1_.SetText(lines);
}

void TAbout::Loadlanguage(const std::string& name) {
  const std::optional<std::string> file = FindLanguageFile(SettingText(kValLanguagePath), name);
  if (!file) return;
  const LanguageTexts texts(*file);
  SetText(texts.Get("About", 1, "About Gantrix"));
  label19_.SetText(texts.Get("About", 3, "Our thanks to:"));
  label1_.SetText(texts.Get("About", 4, "Our reliable Internet partner:"));
  // Headings grow with their translations.
  for (ui::Label* label : {&label19_, &label1_}) {
    const RECT r = label->WindowRect();
    POINT origin{r.left, r.top};
    ScreenToClient(hwnd_, &origin);
    label->Move(origin.x, origin.y, 468 - origin.x, r.bottom - r.top);
  }
}

void TAbout::Label16Click() { OpenWithShell(DeveloperMail()); }
void TAbout::Label18Click() { OpenWithShell(HomePage()); }
void TAbout::Label2Click() { OpenWithShell(SupportMail()); }
void TAbout::Button1Click() { Hide(); }

bool TAbout::IsLink(HWND control) const {
  return control == label16_.hwnd() || control == label18_.hwnd() || control == label2_.hwnd() ||
         control == image6_;
}

void TAbout::DrawPicture(const DRAWITEMSTRUCT& item) const {
  const bool logo = item.CtlID == kImage7;
  const RECT r = item.rcItem;
  // Our own pictures: a two-tone gradient with a name on it.
  const COLORREF from = logo ? RGB(0, 64, 128) : RGB(0, 96, 0);
  const COLORREF to = logo ? RGB(96, 160, 224) : RGB(144, 208, 96);
  TRIVERTEX v[2] = {{r.left, r.top, static_cast<COLOR16>(GetRValue(from) << 8),
                     static_cast<COLOR16>(GetGValue(from) << 8), static_cast<COLOR16>(GetBValue(from) << 8), 0},
                    {r.right, r.bottom, static_cast<COLOR16>(GetRValue(to) << 8),
                     static_cast<COLOR16>(GetGValue(to) << 8), static_cast<COLOR16>(GetBValue(to) << 8), 0}};
  GRADIENT_RECT g{0, 1};
  GradientFill(item.hDC, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(item.hDC, ui::BoldFont());
  RECT text = r;
  DrawTextW(item.hDC, logo ? L"Gantrix" : L"Example Hosting \x2014 www.example.org", -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(item.hDC, old);
}

LRESULT TAbout::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int code = HIWORD(wp);
      if ((id == kButton1 || id == IDOK || id == IDCANCEL) && code == BN_CLICKED) Button1Click();
      else if (code == STN_CLICKED && id == kLabel16) Label16Click();
      else if (code == STN_CLICKED && id == kLabel18) Label18Click();
      else if (code == STN_CLICKED && id == kLabel2) Label2Click();
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      if (control == label17_.hwnd()) SetTextColor(dc, kGreen);
      else if (IsLink(control)) SetTextColor(dc, kBlue);
      else SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(face_);
    }
    case WM_SETCURSOR:
      if (IsLink(reinterpret_cast<HWND>(wp))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CLOSE:
      Button1Click();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace gx
