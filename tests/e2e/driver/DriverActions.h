#pragma once
// Acting on another process's windows the way a player would, through messages that
// are posted (so that a modal loop they start in the other process cannot block us).

#include <windows.h>

#include <string>

namespace driver {

// BM_CLICK on the child with the control ID.
bool ClickChild(HWND parent, int id);
// Left button down and up at a client point of the child with the control ID.
bool ClickChildAt(HWND parent, int id, int x, int y);
// Selects a row of a combo box as a pick from its list does (CBN_SELCHANGE follows).
bool SelectComboRow(HWND parent, int id, int row);
bool PostCommand(HWND window, int id);
// The first visible dialog ("#32770") that has a button with the caption (compared
// with and without its & marks), waiting up to timeoutMs; pid 0 means any process.
HWND WaitForDialogButton(const std::wstring& caption, DWORD pid, DWORD timeoutMs, HWND& button);
// Clicks the dialog's button with that caption, or its first button for an empty one.
bool ClickDialogButton(HWND dialog, const std::wstring& caption);

}  // namespace driver
