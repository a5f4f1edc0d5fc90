#pragma once
// Reading a pop-up menu of another process. Under Wine a menu handle is only usable
// inside the process that made it, so the driver installs MenuProbe.dll as a hook on
// the menu's thread; the hook reads the menu there and hands the description back
// through a named file mapping.

#include <windows.h>

#include <string>

namespace driver {

// The message the driver sends to the open menu window; wParam = the driver's process ID.
inline const wchar_t kMenuProbeMessage[] = L"QevDriverMenuProbe";
// The mapping is named kMenuProbeMapping + the driver's process ID.
inline const wchar_t kMenuProbeMapping[] = L"Local\\QevDriverMenuProbe";
inline constexpr DWORD kMenuProbeSize = 64 * 1024;

}  // namespace driver

namespace driver {

// One JSON object: every item with its command ID, text, state and screen rectangle.
std::string DescribeMenu(HMENU menu);

}  // namespace driver
