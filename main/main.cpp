// Gantrix.exe: the tray program that starts and stops the system.
#include <windows.h>
#include <commctrl.h>

#include "common/about.h"
#include "main/mainform.h"
#include "ui/trayicon.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  // Keyed on the application title, tested before any window exists.
  gx::ui::SingleInstance guard(L"Gantrix");
  if (!guard.First()) {
    if (HWND running = FindWindowW(gx::TMainForm::ClassName(), nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(running, &pid);
      AllowSetForegroundWindow(pid);
      PostMessageW(running, gx::TMainForm::ActivateMessage(), 0, 0);
    }
    return 0;
  }

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  gx::TAbout about;
  about.Create(instance, nullptr, gx::TAbout::Variant::Standard, icon);
  gx::TMainForm form(instance, about);
  if (!form.Create()) return 1;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(form.hwnd(), form.Accelerators(), &msg)) continue;
    if (IsDialogMessageW(form.hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
