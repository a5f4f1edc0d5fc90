// A window that shows how the fake game client was started, for people watching a demo.
#pragma once

#include <string>

namespace driver {

// Shows TEXT in a window of its own until the window is closed. Returns the exit code.
int ShowClientWindow(const std::wstring& title, const std::wstring& text);

// GBK bytes (a Config.ini) as wide text.
std::wstring FromGbk(const std::string& bytes);

}  // namespace driver
