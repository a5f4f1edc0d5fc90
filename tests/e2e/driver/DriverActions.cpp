#include "DriverActions.h"

#include "DriverText.h"
#include "DriverWindows.h"

namespace driver {

namespace {

bool SameCaption(const std::wstring& text, const std::wstring& wanted) {
  return text == wanted || WithoutAmpersands(text) == WithoutAmpersands(wanted);
}

HWND ButtonWithCaption(HWND dialog, const std::wstring& caption) {
  for (HWND child : DirectChildren(dialog)) {
    if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0) continue;
    if (caption.empty() || SameCaption(TextOf(child), caption)) return child;
  }
  return nullptr;
}

}  // namespace

bool ClickChild(HWND parent, int id) {
  HWND child = ChildById(parent, id);
  return child && PostMessageW(child, BM_CLICK, 0, 0);
}

bool ClickChildAt(HWND parent, int id, int x, int y) {
  HWND child = ChildById(parent, id);
  if (!child) return false;
  const LPARAM at = MAKELPARAM(x, y);
  PostMessageW(child, WM_MOUSEMOVE, 0, at);
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
  return PostMessageW(child, WM_LBUTTONUP, 0, at);
}

bool SelectComboRow(HWND parent, int id, int row) {
  HWND combo = ChildById(parent, id);
  DWORD_PTR result = 0;
  if (!combo || !SendMessageTimeoutW(combo, CB_SETCURSEL, row, 0, SMTO_ABORTIFHUNG, 5000, &result))
    return false;
  return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

bool PostCommand(HWND window, int id) {
  return PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HWND WaitForDialogButton(const std::wstring& caption, DWORD pid, DWORD timeoutMs, HWND& button) {
  HWND dialog = WaitFor(
      [&](HWND h) {
        if (!IsDialog(h) || (pid && ProcessOf(h) != pid)) return false;
        button = ButtonWithCaption(h, caption);
        return button != nullptr;
      },
      timeoutMs);
  if (!dialog) button = nullptr;
  return dialog;
}

bool ClickDialogButton(HWND dialog, const std::wstring& caption) {
  HWND button = ButtonWithCaption(dialog, caption);
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace driver
