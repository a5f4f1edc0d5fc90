#pragma once
// The main thread's message loop.

namespace qev::win32 {

// Dispatches window messages until WM_QUIT arrives; returns its exit code.
int RunMessageLoop();

}  // namespace qev::win32
