#include "hook/gantrixform.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "common/about.h"
#include "common/language.h"
#include "common/profile_files.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/strips.h"
#include "common/textnumber.h"
#include "common/unicode.h"
#include "common/winutils.h"
#include "hook/hintshadow.h"

namespace gx::hook {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr int kIconResource = 1;
const char kLabel1Text[] = "You didn\u2019t select instructions for the program";

}  // namespace

TGantrixForm::TGantrixForm(HINSTANCE module) : module_(module), label1Text_(kLabel1Text) {}

bool TGantrixForm::Create(HWND host) {
  Register(module_);
  tag_ = host;
  // The design place and size until the first build moves it.
  if (!CreateWindowExW(kExStyle, ClassName(), L"Gantrix", kStyle, 493, 178, 162, 122, host, nullptr, module_, this))
    return false;

  imageList3_.reset(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 8));
  CreateToolBar();


  popupMenu1_.reset(CreatePopupMenu());
  AppendMenuW(popupMenu1_.get(), MF_STRING, kEst1, L"Change...");
  AppendMenuW(popupMenu1_.get(), MF_STRING, kAboutGantrix1, L"About Gantrix");
  FormCreate();
  return true;
}

void TGantrixForm::CreateToolBar() {
  // Its own state, not the panel's: a hidden panel's rebuilt tool bar stays shown.
  const bool shown = !toolBar2_ || (GetWindowLongPtrW(toolBar2_, GWL_STYLE) & WS_VISIBLE) != 0;
  if (toolBar2_) DestroyWindow(toolBar2_);
  const RECT client = ClientRect();
  toolBar2_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                              (shown ? WS_VISIBLE : 0) | WS_CHILD | TBSTYLE_FLAT | TBSTYLE_WRAPABLE |
                                  CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                              0, 0, client.right, client.bottom, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBar2)), module_, nullptr);
  SendMessageW(toolBar2_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolBar2_, WM_SETFONT, reinterpret_cast<WPARAM>(ui::DefaultFont()), FALSE);
  // The hints of the old tool bar's buttons go with it.
  if (hints_) DestroyWindow(hints_);
  hints_ = nullptr;
  hintsAttached_ = false;
  SendMessageW(toolBar2_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imageList3_.get()));
}

void TGantrixForm::AttachHints() {
  hintsAttached_ = true;
  // Button hints in a window that casts a shadow where the system can draw one.
  hints_ = CreateShadowedHintWindow(module_, hwnd_);
  if (!hints_) return;
  SendMessageW(toolBar2_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(hints_), 0);
  // The buttons already there, registered as the tool bar registers its own;
  // it keeps their places up to date and asks us for the texts.
  const LRESULT count = SendMessageW(toolBar2_, TB_BUTTONCOUNT, 0, 0);
  for (LRESULT k = 0; k < count; ++k) {
    TBBUTTON b{};
    if (!SendMessageW(toolBar2_, TB_GETBUTTON, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&b))) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = toolBar2_;
    tool.uId = static_cast<UINT_PTR>(b.idCommand);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(toolBar2_, TB_GETITEMRECT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&tool.rect));
    SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TGantrixForm::FormCreate() {
  const std::string language = SettingText(kValLanguage);
  if (language != kAbsentText) Loadlanguage(language);
}

void TGantrixForm::Loadlanguage(const std::string& name) {
  const std::optional<std::string> file = FindLanguageFile(SettingText(kValLanguagePath), name);
  if (!file) return;
  const LanguageTexts t(*file);
  label1Text_ = t.Get("Gantrix", 1, kLabel1Text);
  button1Text_ = t.Get("Gantrix", 2, "Run Gantrix(Control Panel)");
  if (label1_) SetWindowTextW(label1_, Widen(label1Text_).c_str());
  if (button1_) SetWindowTextW(button1_, Widen(button1Text_).c_str());
  const ui::Menu menu(popupMenu1_.get());
  menu.SetText(kEst1, t.Get("Gantrix", 16, "Change..."));
  menu.SetText(kAboutGantrix1, t.Get("About", 1, "About Gantrix"));
}

void TGantrixForm::CreateNotice() {
  if (label1_) return;
  label1_ = ui::CreateControl(hwnd_, L"STATIC", label1Text_, SS_CENTER, 0, 6, 135, 50, kLabel1);
  button1_ = ui::CreateControl(hwnd_, L"BUTTON", button1Text_, BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, 56, 135,
                               33, kButton1);
}

void TGantrixForm::HideNotice() {
  if (label1_) ShowWindow(label1_, SW_HIDE);
  if (button1_) ShowWindow(button1_, SW_HIDE);
}

void TGantrixForm::SetVisible(bool on) {
  visible_ = on;
  // Shown without taking the activation: the host keeps the keyboard, so keys
  // typed right after the panel key still reach it. Under Wine an activated
  // panel keeps the X focus a moment after the host is activated again.
  ShowWindow(hwnd_, on ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TGantrixForm::SetClientSize(int w, int h) {
  w = std::clamp(w, 0, 16384);
  h = std::clamp(h, 0, 16384);
  const SIZE size = ui::WindowSizeForClient(w, h, kStyle, kExStyle, false);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT TGantrixForm::PointerPlace(int cw, int ch) const {
  POINT p{};
  GetCursorPos(&p);
  const int sw = GetSystemMetrics(SM_CXSCREEN);
  const int sh = GetSystemMetrics(SM_CYSCREEN);
  return {sw - cw < p.x ? sw - cw : p.x - 5, sh - ch < p.y ? sh - ch : p.y - 3};
}

void TGantrixForm::ClearButtons() {
  // A fresh tool bar: deleting buttons one by one lays the bar out again after
  // each, which takes seconds for a long profile.
  if (!buttons_.empty()) CreateToolBar();
  buttons_.clear();
  ImageList_Remove(imageList3_.get(), -1);
}

void TGantrixForm::LoadButtons(const std::string& dir, HWND host, bool applyPosition) {
  const ProfileNames names = ProfileNameOf(host);
  ClearButtons();
  const ProfileChoice choice = FindProfile(dir, names);
  std::optional<ProfileText> text;
  if (choice.text) text = ReadProfileTextFile(dir + *choice.text + kProfileTextExt);
  hasProfile_ = text.has_value();
  if (!text) {
    ShowNoProfileFace(host);
    return;
  }
  HideNotice();
  ShowWindow(toolBar2_, SW_SHOW);

  SetText(text->Line(kLineCaption));
  modeText_ = text->Line(kLineButtonMode);
  listText_ = text->Line(kLineListView);
  pictureHeight_ = ReadProfileNumber(text->Line(kLinePictureHeight));
  pictureWidth_ = ReadProfileNumber(text->Line(kLinePictureWidth));
  const int clientH = ReadProfileNumber(text->Line(kLineClientHeight));
  const int clientW = ReadProfileNumber(text->Line(kLineClientWidth));
  SetClientSize(clientW, clientH);
  if (applyPosition) {
    const RECT client = ClientRect();
    const POINT byPointer = PointerPlace(client.right, client.bottom);
    const std::string& left = text->Line(kLineLeft);
    const std::string& top = text->Line(kLineTop);
    const int x = IsDefaultPosition(left) ? byPointer.x : ReadProfileNumber(left);
    const int y = IsDefaultPosition(top) ? byPointer.y : ReadProfileNumber(top);
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  buttons_.reserve(text->buttons.size());
  for (const ProfileButton& b : text->buttons)
    buttons_.push_back({"n" + std::to_string(b.id), b.caption, Widen(b.caption)});
  // The pictures before the buttons, so the tool bar lays them out once, at
  // their final size; the list goes to the tool bar after its size is set.
  if (choice.strips) RefreshImages(dir, *choice.strips);
  ApplyButtonMode();

  // All buttons go to the tool bar in one call: a long profile stays quick.
  std::vector<TBBUTTON> added;
  added.reserve(buttons_.size());
  // Beyond this many the buttons lie far below any panel's client area, and
  // the tool bar's layout grows with the square of its length; the rest stay
  // in the list, so a save writes every line back.
  const size_t shown = std::min(buttons_.size(), kMaxToolButtons);
  const bool textOnly = ReadButtonMode(modeText_) == ButtonMode::Text;
  for (size_t k = 0; k < shown; ++k) {
    TBBUTTON tb{};
    tb.iBitmap = textOnly ? I_IMAGENONE : static_cast<int>(k);
    tb.idCommand = static_cast<int>(kFirstButton + k);
    tb.fsState = TBSTATE_ENABLED;
    tb.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_NOPREFIX;
    tb.iString = reinterpret_cast<INT_PTR>(buttons_[k].wide.c_str());
    added.push_back(tb);
  }
  if (!added.empty())
    SendMessageW(toolBar2_, TB_ADDBUTTONSW, added.size(), reinterpret_cast<LPARAM>(added.data()));

  ToolBarRealign();
}

void TGantrixForm::ApplyButtonMode() {
  const ButtonMode mode = ReadButtonMode(modeText_);
  LONG_PTR style = GetWindowLongPtrW(toolBar2_, GWL_STYLE);
  style = ReadListView(listText_) ? (style | TBSTYLE_LIST) : (style & ~static_cast<LONG_PTR>(TBSTYLE_LIST));
  SetWindowLongPtrW(toolBar2_, GWL_STYLE, style);
  // Pictures only: the captions go to the hints.
  SendMessageW(toolBar2_, TB_SETMAXTEXTROWS, mode == ButtonMode::Image ? 0 : 1, 0);
  SendMessageW(toolBar2_, TB_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(mode == ButtonMode::Text ? nullptr : imageList3_.get()));
}

void TGantrixForm::RefreshImages(const std::string& dir, const std::string& name) {
  ImageList_Remove(imageList3_.get(), -1);
  const std::string picturePath = dir + name + kPictureStripExt;
  const std::string maskPath = dir + name + kMaskStripExt;
  if (!FileExists(picturePath) || !FileExists(maskPath)) return;
  const int w = pictureWidth_, h = pictureHeight_;
  if (w <= 0 || h <= 0 || w > kMaxCellSide || h > kMaxCellSide) return;
  UniqueBitmap picture = LoadBitmapFile(picturePath);
  UniqueBitmap mask = LoadBitmapFile(maskPath);

  // Setting the size empties the list; every button then gets cell k, or a
  // blank, all-transparent picture where either strip holds no such cell.
  ImageList_SetIconSize(imageList3_.get(), w, h);
  const int usable = std::min(StripCellCount(picture.get(), w), StripCellCount(mask.get(), w));
  const int shown = static_cast<int>(std::min(buttons_.size(), kMaxToolButtons));
  // Many cells per call: adding them one by one costs more than the drawing.
  const int perRow = std::max(1, 4096 / w);
  for (int first = 0; first < shown; first += perRow) {
    const int count = std::min(perRow, shown - first);
    UniqueBitmap cells = StripCellRow(picture.get(), first, count, usable, w, h, StripKind::Picture);
    UniqueBitmap masks = StripCellRow(mask.get(), first, count, usable, w, h, StripKind::Mask);
    ImageList_Add(imageList3_.get(), cells.get(), masks.get());
  }
}

void TGantrixForm::ToolBarRealign() {
  const RECT client = ClientRect();
  // Lay the buttons out anew for this width; rows below the client area are cut.
  SetWindowPos(toolBar2_, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(toolBar2_, TB_AUTOSIZE, 0, 0);
  SetWindowPos(toolBar2_, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGantrixForm::ShowNoProfileFace(HWND host) {
  ShowWindow(toolBar2_, SW_HIDE);
  CreateNotice();
  SetClientSize(135, 92);
  const RECT client = ClientRect();
  MoveWindow(label1_, 0, 6, client.right, 50, TRUE);
  MoveWindow(button1_, 0, 56, client.right, 33, TRUE);
  ShowWindow(label1_, SW_SHOW);
  ShowWindow(button1_, SW_SHOW);
  wchar_t title[101] = {};
  if (GetWindowTextW(host, title, 101) > 0) SetWindowTextW(hwnd_, title);
  const POINT place = PointerPlace(client.right, client.bottom);
  SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGantrixForm::FormResize() {
  if (hasProfile_) {
    ToolBarRealign();
    return;
  }
  // The notice and its button keep their distances to all four sides.
  if (!label1_) return;
  const RECT client = ClientRect();
  MoveWindow(label1_, 0, 6, client.right, std::max(0L, client.bottom - 42), TRUE);
  MoveWindow(button1_, 0, 56, client.right, std::max(0L, client.bottom - 59), TRUE);
}

bool TGantrixForm::ActSaveExecute() {
  if (buttons_.empty()) return true;
  const std::string dir = SettingText(kValProfilesPath);
  const ProfileNames names = ProfileNameOf(tag_);
  int iconW = 16, iconH = 16;
  ImageList_GetIconSize(imageList3_.get(), &iconW, &iconH);
  const RECT client = ClientRect();
  const RECT window = WindowRect();
  ProfileText text;
  text.fixed = {visible_ ? "0" : "1",
                Text(),
                "10",
                modeText_,
                listText_,
                std::to_string(iconH),
                std::to_string(iconW),
                std::to_string(client.bottom),
                std::to_string(client.right),
                std::to_string(window.left),
                std::to_string(window.top)};
  for (const PanelButton& b : buttons_)
    text.buttons.push_back({TextToCommandId(b.name.substr(1)), b.caption});
  return WriteProfileTextFile(dir + names.base + kProfileTextExt, text);
}

void TGantrixForm::MayToolButtonClick(size_t index) {
  if (index >= buttons_.size()) return;
  // The identifier lives in the button's name, after the "n".
  const uint32_t id = TextToCommandId(buttons_[index].name.substr(1));
  SetForegroundWindow(tag_);
  PostMessageA(tag_, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void TGantrixForm::StartControlPanel() {
  const std::string program = SettingText(kValPath) + "GantrixCP.exe";
  const std::string argument = std::to_string(static_cast<int32_t>(reinterpret_cast<intptr_t>(tag_)));
  ShellExecuteW(hwnd_, L"open", Widen(program).c_str(), Widen(argument).c_str(), nullptr, SW_SHOW);
}

void TGantrixForm::est1Click() { StartControlPanel(); }
void TGantrixForm::Button1Click() { StartControlPanel(); }

void TGantrixForm::AboutGantrix1Click() {
  TAbout about;
  HICON icon = LoadIconW(module_, MAKEINTRESOURCEW(kIconResource));
  if (!about.Create(module_, hwnd_, TAbout::Variant::Standard, icon)) return;
  about.ShowModal(hwnd_);
}

void TGantrixForm::FormClose() {
  // The close box only hides the panel; the panel key brings it back.
  SetVisible(false);
  SetActiveWindow(tag_);
}

LRESULT TGantrixForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wp);
      // From a tool bar of ours (possibly one a rebuild has just replaced).
      if (lp != 0 && id >= kFirstButton) MayToolButtonClick(id - kFirstButton);
      else if (id == kButton1 && HIWORD(wp) == BN_CLICKED) Button1Click();
      else if (id == kEst1 && lp == 0) est1Click();
      else if (id == kAboutGantrix1 && lp == 0) AboutGantrix1Click();
      return 0;
    }
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->code == TBN_GETINFOTIPW) {
        auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(lp);
        const size_t index = static_cast<size_t>(tip->iItem - static_cast<int>(kFirstButton));
        if (index < buttons_.size() && tip->pszText && tip->cchTextMax > 0)
          lstrcpynW(tip->pszText, buttons_[index].wide.c_str(), tip->cchTextMax);
        return 0;
      }
      break;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wp) == toolBar2_ && IsWindowVisible(toolBar2_)) {
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        if (p.x == -1 && p.y == -1) GetCursorPos(&p);
        TrackPopupMenu(popupMenu1_.get(), TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == toolBar2_ && !hintsAttached_) AttachHints();
      break;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
      FormClose();
      return 0;
    default:
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace gx::hook
