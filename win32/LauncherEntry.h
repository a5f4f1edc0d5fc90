#pragma once
// The launcher's start: one launcher per desktop, only inside a game client folder,
// then the main window and its message loop.

#include <windows.h>

namespace qev::win32 {

// Runs the launcher to its end; the process exit code (always 0).
int RunLauncher(HINSTANCE instance);

}  // namespace qev::win32
