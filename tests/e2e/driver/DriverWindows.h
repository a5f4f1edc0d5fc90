#pragma once
// Finding, waiting for and describing windows of other processes. Descriptions are
// printed as one JSON object per line.

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

std::vector<HWND> TopLevel();
// The direct children, in Z order.
std::vector<HWND> DirectChildren(HWND parent);
// The direct child with the control ID; nullptr when there is none.
HWND ChildById(HWND parent, int id);
DWORD ProcessOf(HWND h);
bool IsDialog(HWND h);
bool IsPopupMenu(HWND h);

// Polls every 25 ms for a visible top-level window that pred accepts.
template <class Pred>
HWND WaitFor(Pred pred, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND h : TopLevel())
      if (IsWindowVisible(h) && pred(h)) return h;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(25);
  }
}

// A top-level window: class, title, state, placement, process; with its children when
// asked (each as ControlJson describes it).
void PrintWindow(HWND h, bool withChildren);
// One child control: ID, class, text, place in the parent's client area [x, y, w, h],
// its own WS_VISIBLE bit, enabled state, style, and what its class holds: list rows and
// the selected row, combo box rows, the check state, the progress position.
std::string ControlJson(HWND control);

}  // namespace driver
