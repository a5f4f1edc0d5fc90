#include "win32/WinProgressBar.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace qev::win32 {

namespace {
constexpr int kDesignedMax = 100;
}

bool WinProgressBar::Create(int id, const layout::Place& place) {
  hwnd_ = CreateChild(kit_.Main, PROGRESS_CLASSW, "", PBS_SMOOTH, id, place.Rect(), nullptr);
  if (!hwnd_) return false;
  // The bar colours only apply without a visual style; with one the style draws.
  SetWindowTheme(hwnd_, L"", L"");
  SendMessageW(hwnd_, PBM_SETBARCOLOR, 0, LPARAM(RGB(0xE0, 0xB0, 0x48)));
  SendMessageW(hwnd_, PBM_SETBKCOLOR, 0, LPARAM(RGB(0x10, 0x0E, 0x16)));
  SendMessageW(hwnd_, PBM_SETRANGE32, 0, kDesignedMax);
  return true;
}

int WinProgressBar::Min() const { return int(SendMessageW(hwnd_, PBM_GETRANGE, TRUE, 0)); }
int WinProgressBar::Max() const { return int(SendMessageW(hwnd_, PBM_GETRANGE, FALSE, 0)); }
void WinProgressBar::SetMin(int v) {
  SendMessageW(hwnd_, PBM_SETRANGE32, WPARAM(v), LPARAM(Max()));
}
void WinProgressBar::SetMax(int v) {
  SendMessageW(hwnd_, PBM_SETRANGE32, WPARAM(Min()), LPARAM(v));
}
int WinProgressBar::Position() const { return int(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
void WinProgressBar::SetPosition(int v) { SendMessageW(hwnd_, PBM_SETPOS, WPARAM(v), 0); }

}  // namespace qev::win32
