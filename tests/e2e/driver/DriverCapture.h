#pragma once
// What the driver brings back besides window states: screen pictures and shell links.

#include <windows.h>

#include <string>

namespace driver {

// Writes the screen area of the window as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& path);
// {"target", "arguments", "folder"} of a shell link file; empty when it cannot be loaded.
std::string ReadShellLink(const std::wstring& path);

}  // namespace driver
