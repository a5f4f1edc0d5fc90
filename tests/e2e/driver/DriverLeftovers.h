#pragma once
// What an earlier test left on the desktop: the windows of programs started from outside
// the Windows folder (the launcher, the updater, the stand-in client, helpers), and the
// menus and dialogs they keep open.

#include <windows.h>

#include <vector>

namespace driver {

// Ends every process that owns a top-level window and runs a program from outside the
// Windows folder, except this driver and the processes in keep. Of the kept ones it
// closes open pop-up menus (Escape) and dialogs (WM_CLOSE). Prints one JSON object per
// process ended or window closed; returns how many.
int CleanDesktop(const std::vector<DWORD>& keep);

}  // namespace driver
