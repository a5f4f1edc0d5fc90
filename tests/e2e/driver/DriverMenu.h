#pragma once
// Open pop-up menus of another process: read their items, pick one, close them.

#include <windows.h>

#include <string>

namespace driver {

// The visible pop-up menu window ("#32768"), waiting up to timeoutMs; nullptr if none.
HWND WaitForMenu(DWORD timeoutMs);
// {"count": N, "items": [{"id", "text", "state", "enabled", "separator", "rect"}...]};
// empty when the menu could not be read.
std::string ReadMenu(HWND menuWindow);
// Picks the item with the command ID (as the Down and Enter keys do).
bool PickMenuItem(HWND menuWindow, int id);
// Ends the menu as Escape does.
void CloseMenu(HWND menuWindow);

}  // namespace driver
