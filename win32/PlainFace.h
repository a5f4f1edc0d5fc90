#pragma once
// The main window's face until a skin dresses it: a dark panel with a thin frame and
// the title in the middle.

#include <windows.h>

#include <string>

namespace qev::win32 {

void PaintPlainFace(HDC dc, const RECT& client, const std::wstring& title);

}  // namespace qev::win32
