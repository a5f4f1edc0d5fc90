#pragma once
// What every drawn control of the main window shares: the window whose face shows
// through, the face itself, the look and the fonts.

#include <windows.h>

#include "win32/FaceBackdrop.h"
#include "win32/Look.h"
#include "win32/LookFonts.h"

namespace qev::win32 {

struct ControlKit {
  HWND Main = nullptr;
  const FaceBackdrop* Backdrop = nullptr;
  const Look* Skin = nullptr;
  const LookFonts* Fonts = nullptr;
};

}  // namespace qev::win32
