#pragma once
// An icon in the notification area with a hint, a left-click and a right-click
// menu. It is added again when the task bar is re-created.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace gx::ui {

class TrayIcon {
 public:
  // `callbackMessage` arrives at `owner` for mouse events on the icon.
  TrayIcon(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::string& hint);
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  bool Show();
  void Hide();
  bool Shown() const { return shown_; }
  // To be called for the "TaskbarCreated" message.
  void Restore();
  static UINT TaskbarCreatedMessage();

 private:
  NOTIFYICONDATAW Data() const;
  HWND owner_;
  UINT id_;
  UINT callback_;
  HICON icon_;
  std::wstring hint_;
  bool shown_ = false;
};

// Keeps a second start of a program from running: the first start owns a named
// mutex; later starts find the first one's window and activate it.
class SingleInstance {
 public:
  explicit SingleInstance(const std::wstring& key);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  bool First() const { return first_; }

 private:
  HANDLE mutex_;
  bool first_;
};

}  // namespace gx::ui
