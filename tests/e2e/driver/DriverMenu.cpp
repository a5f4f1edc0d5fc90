#include "DriverMenu.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DriverText.h"
#include "DriverWindows.h"
#include "MenuProbe.h"

namespace driver {

namespace {

std::wstring ProbeModulePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  return dir.substr(0, dir.find_last_of(L'\\') + 1) + L"MenuProbe.dll";
}

class Mapping {
 public:
  explicit Mapping(const std::wstring& name)
      : handle_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMenuProbeSize,
                                   name.c_str())) {}
  ~Mapping() {
    if (handle_) CloseHandle(handle_);
  }
  Mapping(const Mapping&) = delete;
  Mapping& operator=(const Mapping&) = delete;
  std::string Text() const {
    std::string out;
    if (!handle_) return out;
    if (const char* view = (const char*)MapViewOfFile(handle_, FILE_MAP_READ, 0, 0, 0)) {
      out.assign(view, strnlen(view, kMenuProbeSize));
      UnmapViewOfFile(view);
    }
    return out;
  }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

class Hook {
 public:
  Hook(HMODULE module, DWORD thread) {
    // The module exports the hook under this name; the cast goes through void* since
    // GetProcAddress gives a generic function type.
    if (auto proc = reinterpret_cast<HOOKPROC>(
            reinterpret_cast<void*>(GetProcAddress(module, "MenuProbeHook"))))
      hook_ = SetWindowsHookExW(WH_CALLWNDPROC, proc, module, thread);
  }
  ~Hook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  Hook(const Hook&) = delete;
  Hook& operator=(const Hook&) = delete;
  explicit operator bool() const { return hook_ != nullptr; }

 private:
  HHOOK hook_ = nullptr;
};

// Reads the menu inside its own process through the hook module.
std::string ReadThroughProbe(HWND menuWindow) {
  const DWORD pid = GetCurrentProcessId();
  wchar_t name[96];
  swprintf(name, 96, L"%ls%lu", kMenuProbeMapping, pid);
  Mapping mapping(name);
  HMODULE module = LoadLibraryW(ProbeModulePath().c_str());
  if (!mapping || !module) return {};
  Hook hook(module, GetWindowThreadProcessId(menuWindow, nullptr));
  if (!hook) return {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(menuWindow, RegisterWindowMessageW(kMenuProbeMessage), pid, 0,
                      SMTO_ABORTIFHUNG, 5000, &result);
  return mapping.Text();
}

// How many Down keys reach the item with the command ID from a menu with nothing
// selected: one per item up to it, separators are passed over. -1 when it is not there.
int DownKeysTo(const std::string& json, int id) {
  int keys = 0;
  for (size_t at = json.find("{\"id\": "); at != std::string::npos;
       at = json.find("{\"id\": ", at + 1)) {
    const int itemId = atoi(json.c_str() + at + 7);
    const size_t sep = json.find("\"separator\": ", at);
    if (sep != std::string::npos && json[sep + 13] == '1') continue;
    ++keys;
    if (itemId == id) return keys;
  }
  return -1;
}

void PostKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

HWND WaitForMenu(DWORD timeoutMs) { return WaitFor(IsPopupMenu, timeoutMs); }

std::string ReadMenu(HWND menuWindow) {
  // On Windows the handle works from here; Wine keeps menus private to their process.
  HMENU menu = (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
  if (menu && GetMenuItemCount(menu) >= 0) return DescribeMenu(menu);
  return ReadThroughProbe(menuWindow);
}

bool PickMenuItem(HWND menuWindow, int id) {
  // Keys rather than a click: the menu's loop takes them from its thread's queue, and
  // they do not depend on how a posted mouse message's point is read.
  const int keys = DownKeysTo(ReadMenu(menuWindow), id);
  if (keys < 0) return false;
  for (int i = 0; i < keys; ++i) PostKey(menuWindow, VK_DOWN);
  PostKey(menuWindow, VK_RETURN);
  return true;
}

void CloseMenu(HWND menuWindow) { PostKey(menuWindow, VK_ESCAPE); }

}  // namespace driver
