#pragma once
// Move-only owners for Win32 handles, one close policy per handle type, so a
// handle is closed on every path. Closing keeps GetLastError for the caller.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace gx {

template <class Traits>
class Unique {
 public:
  using Type = typename Traits::Type;

  Unique() = default;
  explicit Unique(Type h) : h_(h) {}
  Unique(Unique&& other) noexcept : h_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  Type get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Type release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Type h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) {
      const DWORD error = GetLastError();
      Traits::Close(h_);
      SetLastError(error);
    }
    h_ = h;
  }
  // For out-parameters of API calls.
  Type* put() {
    reset();
    return &h_;
  }

 private:
  Type h_ = Traits::Invalid();
};

#define GX_HANDLE_TRAITS(Name, T, invalid, close)     \
  struct Name {                                       \
    using Type = T;                                   \
    static Type Invalid() { return invalid; }         \
    static void Close(Type h) { close; }              \
  }

GX_HANDLE_TRAITS(HKeyTraits, HKEY, nullptr, RegCloseKey(h));
GX_HANDLE_TRAITS(HandleTraits, HANDLE, nullptr, CloseHandle(h));
GX_HANDLE_TRAITS(FileTraits, HANDLE, INVALID_HANDLE_VALUE, CloseHandle(h));
GX_HANDLE_TRAITS(ModuleTraits, HMODULE, nullptr, FreeLibrary(h));
GX_HANDLE_TRAITS(ViewTraits, void*, nullptr, UnmapViewOfFile(h));
GX_HANDLE_TRAITS(HookTraits, HHOOK, nullptr, UnhookWindowsHookEx(h));
GX_HANDLE_TRAITS(BitmapTraits, HBITMAP, nullptr, DeleteObject(h));
GX_HANDLE_TRAITS(GdiObjectTraits, HGDIOBJ, nullptr, DeleteObject(h));
GX_HANDLE_TRAITS(IconTraits, HICON, nullptr, DestroyIcon(h));
GX_HANDLE_TRAITS(MenuTraits, HMENU, nullptr, DestroyMenu(h));
GX_HANDLE_TRAITS(ImageListTraits, HIMAGELIST, nullptr, ImageList_Destroy(h));
GX_HANDLE_TRAITS(MemoryDcTraits, HDC, nullptr, DeleteDC(h));
GX_HANDLE_TRAITS(WindowTraits, HWND, nullptr, DestroyWindow(h));

#undef GX_HANDLE_TRAITS

using UniqueHKey = Unique<HKeyTraits>;
using UniqueHandle = Unique<HandleTraits>;
using UniqueFile = Unique<FileTraits>;
using UniqueModule = Unique<ModuleTraits>;
using UniqueView = Unique<ViewTraits>;
using UniqueHook = Unique<HookTraits>;
using UniqueBitmap = Unique<BitmapTraits>;
using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueImageList = Unique<ImageListTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>;
using UniqueWindow = Unique<WindowTraits>;

// A screen DC for the length of a scope.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a DC until the end of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace gx
