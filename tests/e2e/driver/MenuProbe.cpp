// The hook module of the menu reader: runs inside the process that shows the menu.
#include "MenuProbe.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Answer(HWND menuWindow, DWORD driverPid) {
  wchar_t name[96];
  swprintf(name, 96, L"%ls%lu", driver::kMenuProbeMapping, driverPid);
  HANDLE map = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  if (!map) return;
  if (char* view = (char*)MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, driver::kMenuProbeSize)) {
    HMENU menu = (HMENU)SendMessageW(menuWindow, MN_GETHMENU, 0, 0);
    const std::string text = driver::DescribeMenu(menu);
    const size_t n =
        text.size() < driver::kMenuProbeSize - 1 ? text.size() : driver::kMenuProbeSize - 1;
    memcpy(view, text.data(), n);
    view[n] = '\0';
    UnmapViewOfFile(view);
  }
  CloseHandle(map);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuProbeHook(int code, WPARAM wp, LPARAM lp) {
  static const UINT probe = RegisterWindowMessageW(driver::kMenuProbeMessage);
  const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lp);
  if (code == HC_ACTION && call->message == probe) Answer(call->hwnd, (DWORD)call->wParam);
  return CallNextHookEx(nullptr, code, wp, lp);
}
