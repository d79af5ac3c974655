// Cost per message with no hooks, with three empty hooks and with Gantrix's
// three hooks, posted and sent, measured in one process and one run.
//   hookbench.exe [messages per sample]
// Run from a folder that holds GantrixHook.dll and emptyhook.dll.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/clock.h"
#include "main/hookinstaller.h"

namespace {

using gx::bench::Median;
using gx::bench::Now;

LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) return 1;
  return DefWindowProcW(w, msg, wp, lp);
}

// Microseconds per message, posted and retrieved, or sent.
double PostedCost(HWND w, int n) {
  MSG msg;
  const double start = Now();
  for (int i = 0; i < n; ++i) {
    PostMessageW(w, WM_APP, 0, 0);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return (Now() - start) * 1e6 / n;
}

double SentCost(HWND w, int n) {
  const double start = Now();
  for (int i = 0; i < n; ++i) SendMessageW(w, WM_APP, 0, 0);
  return (Now() - start) * 1e6 / n;
}

struct Samples {
  std::vector<double> posted, sent;
};

// Three empty hooks, system-wide like Gantrix's.
struct EmptyHooks {
  HMODULE dll = LoadLibraryW(L"emptyhook.dll");
  HHOOK hooks[3] = {};
  EmptyHooks() {
    if (!dll) return;
    const struct {
      int id;
      const char* name;
    } procs[] = {{WH_GETMESSAGE, "GetMessageProc"}, {WH_CALLWNDPROC, "CallWNDProc"}, {WH_CALLWNDPROCRET, "CallWNDProcRet"}};
    for (int i = 0; i < 3; ++i)
      hooks[i] = SetWindowsHookExW(procs[i].id, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, procs[i].name))), dll, 0);
  }
  ~EmptyHooks() {
    for (HHOOK h : hooks)
      if (h) UnhookWindowsHookEx(h);
    if (dll) FreeLibrary(dll);
  }
  bool ok() const { return hooks[0] && hooks[1] && hooks[2]; }
};

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::max(100, std::atoi(argv[1])) : 5000;
  const int rounds = 7;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"GantrixBench";
  RegisterClassW(&wc);
  HWND w = CreateWindowW(L"GantrixBench", L"bench", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
  if (!w) return 1;

  Samples none, empty, gantrix;
  gx::HookInstaller installer([] { return gx::RaveloChoice{1, true}; });
  bool emptyOk = true;
  // Interleaved rounds, so that drift of the machine touches all three alike.
  for (int r = 0; r < rounds; ++r) {
    none.posted.push_back(PostedCost(w, n));
    none.sent.push_back(SentCost(w, n));
    {
      EmptyHooks hooks;
      emptyOk = emptyOk && hooks.ok();
      PostedCost(w, n / 10);  // warm-up after installing
      empty.posted.push_back(PostedCost(w, n));
      empty.sent.push_back(SentCost(w, n));
    }
    installer.StartHooks(VK_OEM_3, 4, 'Z', 6);
    PostedCost(w, n / 10);
    gantrix.posted.push_back(PostedCost(w, n));
    gantrix.sent.push_back(SentCost(w, n));
    installer.StopHooks();
  }
  if (!emptyOk) std::printf("warning: the empty hooks could not all be installed\n");

  const double np = Median(none.posted), ns = Median(none.sent);
  const double ep = Median(empty.posted), es = Median(empty.sent);
  const double gp = Median(gantrix.posted), gs = Median(gantrix.sent);
  std::printf("%-9s %d messages per sample, median of %d rounds (microseconds per message)\n",
              sizeof(void*) == 8 ? "win64" : "win32", n, rounds);
  std::printf("  %-22s %10s %10s\n", "", "posted", "sent");
  std::printf("  %-22s %10.2f %10.2f\n", "no hooks", np, ns);
  std::printf("  %-22s %10.2f %10.2f\n", "three empty hooks", ep, es);
  std::printf("  %-22s %10.2f %10.2f\n", "Gantrix's hooks", gp, gs);
  std::printf("  Gantrix / empty hooks: posted %.3f, sent %.3f (goal <= 1.03)\n", gp / ep, gs / es);
  DestroyWindow(w);
  return 0;
}
