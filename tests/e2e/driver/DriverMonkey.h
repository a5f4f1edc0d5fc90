#pragma once
// A bounded random walk over the launcher's controls, commands and tray icon.

#include <windows.h>

namespace driver {

// Acts on the main window in random order for ms milliseconds (seeded, so a run can be
// repeated), answering every dialog and closing every menu the launcher opens. Prints
// one JSON line per dialog, window of another kind or failed responsiveness check, then
// a summary line; returns 0 when the launcher stayed up and answered throughout.
int RunMonkey(HWND main, DWORD ms, unsigned seed);

}  // namespace driver
