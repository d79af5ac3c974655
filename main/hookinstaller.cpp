#include "main/hookinstaller.h"

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace gx {
namespace {

// How long one top-level window may take over the close message before Stop
// passes it over; windows the system already counts as hung are skipped at once.
constexpr UINT kCloseTimeoutMs = 5000;

constexpr wchar_t kGantrixExe[] = L"Message from Gantrix.exe";
constexpr wchar_t kGantrixExeUpper[] = L"Message from Gantrix.Exe";
constexpr wchar_t kGantrixDll[] = L"Message from Gantrix.dll";

void Box(const std::wstring& text, const wchar_t* caption) { MessageBoxW(nullptr, text.c_str(), caption, MB_OK); }

// "<text><decimal error>", no blank between them.
std::wstring WithError(const wchar_t* text, DWORD error) { return text + std::to_wstring(error); }

HOOKPROC Lookup(HMODULE library, const char* name, const wchar_t* failure) {
  const FARPROC proc = GetProcAddress(library, name);
  if (!proc) Box(failure, L"Gantrix.exe");
  // Through void(*)(), the one function type any other converts to without a warning.
  return reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(proc));
}

// Hook handles travel as 32-bit values; window-manager handles fit.
uint32_t HookValue(HHOOK hook) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hook)); }
HHOOK AsHook(uint32_t value) { return reinterpret_cast<HHOOK>(static_cast<uintptr_t>(value)); }

void Unhook(uint32_t hook, const wchar_t* failure) {
  if (!UnhookWindowsHookEx(AsHook(hook))) Box(WithError(failure, GetLastError()), kGantrixDll);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) noexcept {
  try {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

// What the program shows for an error it did not expect, with the decimal
// error number of that moment.
void ShowRaisedError(const wchar_t* text) noexcept {
  const DWORD error = GetLastError();
  try {
    Box(WithError(text, error), L"Gantrix");
  } catch (...) {
    MessageBoxW(nullptr, text, L"Gantrix", MB_OK);
  }
}

}  // namespace

HookInstaller::HookInstaller(std::function<RaveloChoice()> ravelo) : ravelo_(std::move(ravelo)) {}

HookInstaller::~HookInstaller() {
  // The program always stops what it started; this only keeps an installer
  // that goes without Stop from leaving system-wide hooks behind.
  if (LibraryLoaded() && view_) {
    const GlobalHookData& block = *Block();
    UnhookWindowsHookEx(AsHook(block.GetMessageHook));
    UnhookWindowsHookEx(AsHook(block.CallWndProcHook));
    UnhookWindowsHookEx(AsHook(block.CallWndProcRetHook));
  }
}

bool HookInstaller::LibraryLoaded() const { return reinterpret_cast<uintptr_t>(library_.get()) > 32; }

GlobalHookData* HookInstaller::Block() const { return static_cast<GlobalHookData*>(view_.get()); }

UINT HookInstaller::UpdateMessage() const { return updateMessage_; }

bool HookInstaller::StartHooks(uint16_t panelKey, uint8_t panelShift, uint16_t raveloKey, uint8_t raveloShift) {
  try {
    closeMessage_ = RegisterWindowMessageA(kMsgCloseHook);
    updateMessage_ = RegisterWindowMessageA(kMsgUpdate);

    mapping_.reset();
    SetLastError(0);
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHookBlockSize,
                                      kHookBlockName));
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
      Box(L"ERROR_ALREADY_EXISTS(1)", L"Message from GantrixHook.dll");
      mapping_.reset(OpenFileMappingA(0xFFFFFFFF, TRUE, kHookBlockName));
      error = GetLastError();
      if (!mapping_) Box(WithError(L"OpenFileMapping/FGlobalHookDataMMFHandle=0 ! Error-", error), kGantrixExe);
    }
    if (!mapping_) Box(WithError(L"CreateFileMapping=0 ! Error-", error), kGantrixExe);

    library_.reset(LoadLibraryW(L"GantrixHook.dll"));
    if (!LibraryLoaded()) {
      Box(L"Error Load Libray", L"Brastow");
      return true;
    }
    const HOOKPROC getMessage = Lookup(library_.get(), "GetMessageProc", L"Error Get GetMessageProc Adress");
    const HOOKPROC callWndProc = Lookup(library_.get(), "CallWNDProc", L"Error Get CallWNDProc Adress");
    const HOOKPROC callWndProcRet = Lookup(library_.get(), "CallWNDProcRet", L"Error Get CallWNDProcRet Adress");

    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, kHookBlockSize));
    if (!view_) {
      Box(WithError(L"GlobalHookData не установлен ! Error-", GetLastError()), kGantrixExeUpper);
      return true;
    }

    // Plain stores, field by field: copies of the library read the block while
    // it is being filled, and each handle is there as soon as its hook is.
    volatile GlobalHookData& block = *Block();
    block.GetMessageHook = HookValue(SetWindowsHookExW(WH_GETMESSAGE, getMessage, library_.get(), 0));
    block.CallWndProcHook = HookValue(SetWindowsHookExW(WH_CALLWNDPROC, callWndProc, library_.get(), 0));
    block.CallWndProcRetHook = HookValue(SetWindowsHookExW(WH_CALLWNDPROCRET, callWndProcRet, library_.get(), 0));

    block.PanelKey = panelKey;
    block.PanelShift = panelShift;
    block.RaveloKey = raveloKey;
    block.RaveloShift = raveloShift;
    const RaveloChoice ravelo = ravelo_();
    block.RaveloMode = ravelo.mode;
    block.RaveloOn = ravelo.on ? 1 : 0;

    if (!FlushViewOfFile(view_.get(), kHookBlockSize))
      Box(WithError(L"FlushViewOfFile ! Error-", GetLastError()), kGantrixExeUpper);
    return true;
  } catch (const std::exception&) {
    ShowRaisedError(L"Ошибка при старте - ");
    return false;
  }
}

bool HookInstaller::StopHooks() {
  try {
    BroadcastClose();
    Sleep(500);
    if (LibraryLoaded()) {
      if (view_) {
        const volatile GlobalHookData& block = *Block();
        Unhook(block.GetMessageHook, L"CallWNDHook снять не удалось !  Error-");
        Unhook(block.CallWndProcHook, L"ProcHook снять не удалось !  Error-");
        Unhook(block.CallWndProcRetHook, L"RetProcHookIdent снять не удалось !  Error-");
      }
      if (!FreeLibrary(library_.release())) Box(L"Error Unload Libray", L"Brastow");
      PostMessageW(HWND_BROADCAST, WM_NULL, 0, 0);
    }
    if (!UnmapViewOfFile(view_.release())) Box(WithError(L"UnmapViewOfFile Error-", GetLastError()), L"Message from mainhook.dll");
    if (!CloseHandle(mapping_.release())) Box(WithError(L"CloseHandle Error-", GetLastError()), kGantrixExe);
    return true;
  } catch (const std::exception&) {
    ShowRaisedError(L"Ошибка при выгрузке - ");
    return false;
  }
}

// Every top-level window handles the close message before the hooks go, so
// each process has saved and closed its panels. A window that does not answer
// within the time-out is passed over, so one hung program cannot stop Stop.
void HookInstaller::BroadcastClose() const {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, closeMessage_, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kCloseTimeoutMs, &result);
  }
}

}  // namespace gx
