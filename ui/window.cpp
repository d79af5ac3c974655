#include "ui/window.h"

#include "common/unicode.h"

namespace gx::ui {

std::string Window::Text() const {
  const int n = GetWindowTextLengthW(hwnd_);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, text.data(), n + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return Narrow(text);
}

void Window::SetText(const std::string& text) const { SetWindowTextW(hwnd_, Widen(text).c_str()); }

RECT Window::ClientRect() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r;
}

RECT Window::WindowRect() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r;
}

HWND CreateControl(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w,
                   int h, int id, DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
  return control;
}

SIZE WindowSizeForClient(int w, int h, DWORD style, DWORD exStyle, bool hasMenu) {
  RECT r{0, 0, w, h};
  AdjustWindowRectEx(&r, style, hasMenu ? TRUE : FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

namespace {

// The shell dialog font at 8 points: the layouts of our windows are made for it.
LOGFONTW MessageFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  font.lfWidth = 0;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return font;
}

}  // namespace

// Made once per process and kept for its life, like stock objects.
HFONT DefaultFont() {
  static HFONT font = [] {
    LOGFONTW lf = MessageFont();
    return CreateFontIndirectW(&lf);
  }();
  return font;
}

HFONT BoldFont() {
  static HFONT font = [] {
    LOGFONTW lf = MessageFont();
    lf.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&lf);
  }();
  return font;
}

void RunModal(HWND dialog, HWND owner) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  MSG msg;
  while (IsWindow(dialog) && IsWindowVisible(dialog)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
}

}  // namespace gx::ui
