#include "ui/trayicon.h"

#include "common/unicode.h"

namespace gx::ui {

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& hint)
    : owner_(owner), id_(id), callback_(callbackMessage), icon_(icon), hint_(Widen(hint)) {}

TrayIcon::~TrayIcon() { Hide(); }

NOTIFYICONDATAW TrayIcon::Data() const {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = owner_;
  data.uID = id_;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = callback_;
  data.hIcon = icon_;
  lstrcpynW(data.szTip, hint_.c_str(), ARRAYSIZE(data.szTip));
  return data;
}

bool TrayIcon::Show() {
  if (shown_) return true;
  NOTIFYICONDATAW data = Data();
  shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  return shown_;
}

void TrayIcon::Hide() {
  if (!shown_) return;
  NOTIFYICONDATAW data = Data();
  Shell_NotifyIconW(NIM_DELETE, &data);
  shown_ = false;
}

void TrayIcon::Restore() {
  if (!shown_) return;
  shown_ = false;
  Show();
}

UINT TrayIcon::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

SingleInstance::SingleInstance(const std::wstring& key)
    : mutex_(CreateMutexW(nullptr, FALSE, (L"Local\\" + key + L".SingleInstance").c_str())),
      first_(mutex_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

}  // namespace gx::ui
