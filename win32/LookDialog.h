#pragma once
// A modal message dialog of the standard dialog class, dressed by a DialogLook (the
// skin's frame, title bar, buttons and colours, or a built-in style's): a title bar
// with the caption and a close button, an optional icon, the message in a STATIC child
// and a row of owner-drawn BUTTON children. Dragged by its title bar.

#include <windows.h>

#include <string>
#include <vector>

#include "skin/ControlLooks.h"
#include "win32/LookFonts.h"

namespace qev::win32 {

struct DialogButton {
  int id;  // control ID (IDOK, IDYES, ...)
  std::string gbkCaption;
  int result;  // what the dialog returns when it is pressed
};

struct DialogContent {
  std::string gbkCaption;             // the window text
  std::string gbkText;                // the message
  PlainBitmap icon;                   // none when empty; fuchsia pixels left out
  HFONT font = nullptr;               // message and button font
  std::vector<DialogButton> buttons;  // the first one is the default
  int closedResult = 0;               // Escape, the close button or the close command
};

// Shows the dialog owned by owner and returns the chosen button's result.
int RunLookDialog(HWND owner, const DialogLook& look, const LookFonts& fonts,
                  const DialogContent& content);

}  // namespace qev::win32
