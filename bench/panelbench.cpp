// Time from the panel key to a visible panel of 50 buttons with pictures, in
// a window of this process with Gantrix's hooks installed system-wide.
//   panelbench.exe [presses]
// Run from a folder that holds GantrixHook.dll.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/handle.h"
#include "common/profile_files.h"
#include "common/registry.h"
#include "common/settings.h"
#include "common/strips.h"
#include "common/unicode.h"
#include "common/winutils.h"
#include "bench/clock.h"
#include "main/hookinstaller.h"

namespace {

using gx::bench::Now;

constexpr int kButtons = 50;

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, msg, wp, lp); }

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until `done` or `seconds` pass.
template <class F>
bool PumpUntil(F done, double seconds) {
  const double end = Now() + seconds;
  while (Now() < end) {
    Pump();
    if (done()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return done();
}

void PressPanelKey() {
  INPUT in[4] = {};
  const WORD keys[4] = {VK_CONTROL, VK_OEM_3, VK_OEM_3, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(4, in, sizeof(INPUT));
}

HWND PanelOf(HWND host) {
  HWND found = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"TGantrixForm", nullptr); w;
       w = FindWindowExW(nullptr, w, L"TGantrixForm", nullptr))
    if (GetWindow(w, GW_OWNER) == host) found = w;
  return found;
}

// A profile of 50 buttons with 16 x 16 pictures for the window.
bool WriteProfile(const std::string& dir, HWND window) {
  const gx::ProfileNames names = gx::ProfileNameOf(window);
  gx::ProfileText text;
  text.fixed = {"1", "Bench", "20", "0", "1", "16", "16", "200", "400", "100", "100"};
  for (int k = 0; k < kButtons; ++k) text.buttons.push_back({static_cast<uint32_t>(100 + k), "Cmd " + std::to_string(k)});
  if (!gx::WriteProfileTextFile(dir + names.base + gx::kProfileTextExt, text)) return false;
  gx::UniqueImageList list(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kButtons, 0));
  gx::ScreenDc screen;
  for (int k = 0; k < kButtons; ++k) {
    gx::UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), 16, 16));
    gx::UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    gx::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    {
      gx::SelectedObject s(dc.get(), picture.get());
      gx::UniqueGdiObject brush(CreateSolidBrush(RGB(k * 5, 255 - k * 5, 128)));
      const RECT all{0, 0, 16, 16};
      FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    {
      gx::SelectedObject s(dc.get(), mask.get());
      PatBlt(dc.get(), 0, 0, 16, 16, BLACKNESS);
    }
    ImageList_Add(list.get(), picture.get(), mask.get());
  }
  return gx::WriteStrips(dir + names.base + gx::kPictureStripExt, dir + names.base + gx::kMaskStripExt, list.get(),
                         kButtons, 16, 16);
}

}  // namespace

int main(int argc, char** argv) {
  const int presses = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
  InitCommonControls();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"GantrixPanelBench";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  HWND host = CreateWindowW(L"GantrixPanelBench", L"panel bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400,
                            nullptr, nullptr, instance, nullptr);
  if (!host) return 1;

  // Profiles in a folder of our own for the length of the run.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string dir = gx::Narrow(temp) + "gantrix-panelbench\\";
  CreateDirectoryW(gx::Widen(dir).c_str(), nullptr);
  const std::string oldProfiles = gx::SettingText(gx::kValProfilesPath);
  gx::WriteSetting(gx::kValProfilesPath, dir);
  if (!WriteProfile(dir, host)) {
    std::printf("could not write the profile\n");
    return 1;
  }

  gx::HookInstaller installer([] { return gx::RaveloChoice{1, true}; });
  installer.StartHooks(VK_OEM_3, 4, 'Z', 6);
  // Our own copy of the library was loaded before the block was filled.
  PostMessageW(HWND_BROADCAST, installer.UpdateMessage(), 0, 0);
  Pump();
  const UINT closeHook = RegisterWindowMessageW(L"WM_CLOSEHOOKGANTRIX");

  std::vector<double> ms;
  for (int i = 0; i < presses; ++i) {
    SetForegroundWindow(host);
    PumpUntil([&] { return GetForegroundWindow() == host; }, 5);
    PumpUntil([] { return false; }, 0.35);  // past the key's 300 ms gate
    const double start = Now();
    PressPanelKey();
    if (!PumpUntil([&] { HWND p = PanelOf(host); return p && IsWindowVisible(p); }, 10)) {
      std::printf("no panel appeared\n");
      break;
    }
    ms.push_back((Now() - start) * 1000);
    // Close the panels down, so the next press builds a new one.
    SendMessageW(host, closeHook, 0, 0);
    PumpUntil([&] { return PanelOf(host) == nullptr; }, 5);
  }
  installer.StopHooks();
  gx::WriteSetting(gx::kValProfilesPath, oldProfiles);

  std::sort(ms.begin(), ms.end());
  if (!ms.empty())
    std::printf("%-9s panel key to a visible panel of %d buttons with pictures: median %.1f ms (min %.1f, max %.1f, "
                "%zu presses; goal <= 30 ms)\n",
                sizeof(void*) == 8 ? "win64" : "win32", kButtons, ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
  DestroyWindow(host);
  return ms.empty() ? 1 : 0;
}
