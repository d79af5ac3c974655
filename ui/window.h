#pragma once
// A thin layer over Win32 windows: a non-owning view of an HWND, and a base for
// window classes whose window procedure binds `this` at creation and hands
// every message to one HandleMessage of the class.

#include <windows.h>

#include <string>

namespace gx::ui {

// Non-owning view of any window.
class Window {
 public:
  Window() = default;
  explicit Window(HWND hwnd) : hwnd_(hwnd) {}
  HWND hwnd() const { return hwnd_; }
  explicit operator bool() const { return hwnd_ != nullptr; }

  std::string Text() const;
  void SetText(const std::string& text) const;
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  void Enable(bool on) const { EnableWindow(hwnd_, on ? TRUE : FALSE); }
  bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
  void Show(int command = SW_SHOW) const { ShowWindow(hwnd_, command); }
  void Hide() const { ShowWindow(hwnd_, SW_HIDE); }
  RECT ClientRect() const;
  RECT WindowRect() const;
  void Move(int x, int y, int w, int h) const { MoveWindow(hwnd_, x, y, w, h, TRUE); }
  void SetFont(HFONT font) const { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  HWND hwnd_ = nullptr;
};

// A child control of a given window class, placed in parent client coordinates.
HWND CreateControl(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w,
                   int h, int id, DWORD exStyle = 0);

// Base of our top-level window classes. T derives from WindowClass<T>, names its
// class with `static const wchar_t* ClassName()` and handles messages in
// `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`, falling back to Default().
template <class T>
class WindowClass : public Window {
 public:
  WindowClass() = default;
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  virtual ~WindowClass() {
    if (hwnd_) {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
  }

  // Registers the class once per module; the icon and class style are T's choice.
  static bool Register(HINSTANCE instance, HICON icon = nullptr, UINT style = 0) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, T::ClassName(), &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &WindowClass::Proc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = T::ClassName();
    return RegisterClassExW(&wc) != 0;
  }

  // Creates the window with the given client size, centred on the screen.
  bool CreateCentred(HINSTANCE instance, const std::string& caption, DWORD style, DWORD exStyle, int clientW,
                     int clientH, HWND owner = nullptr, HMENU menu = nullptr);

 protected:
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    T* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = 0;
    try {
      result = self->HandleMessage(msg, wp, lp);
    } catch (...) {
      result = DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }
};

// Window size for a client area of w x h with the given styles and menu.
SIZE WindowSizeForClient(int w, int h, DWORD style, DWORD exStyle, bool hasMenu);

template <class T>
bool WindowClass<T>::CreateCentred(HINSTANCE instance, const std::string& caption, DWORD style, DWORD exStyle,
                                   int clientW, int clientH, HWND owner, HMENU menu) {
  const SIZE size = WindowSizeForClient(clientW, clientH, style, exStyle, menu != nullptr);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - size.cx) / 2;
  const int y = work.top + (work.bottom - work.top - size.cy) / 2;
  return CreateWindowExW(exStyle, T::ClassName(), nullptr, style, x, y, size.cx, size.cy, owner, menu, instance,
                         static_cast<T*>(this)) != nullptr &&
         (SetText(caption), true);
}

// The font of our windows: the system's message font.
HFONT DefaultFont();
HFONT BoldFont();

// Runs a modal loop for `dialog` (already created, owned by `owner`) until it
// is hidden or destroyed; the owner is disabled meanwhile.
void RunModal(HWND dialog, HWND owner);

}  // namespace gx::ui
