#pragma once
// The look of the launcher's window: the pictures and colours its controls draw with.
// Controls ask this interface and never load a picture themselves, so a skin theme can
// take over by answering the same questions from a skin file.

#include <windows.h>

#include "win32/StoredRows.h"

namespace qev::win32 {

// The image buttons of the main window and the buttons of the message dialogs.
enum class ButtonFace {
  Start,        // suiButton1
  Account,      // suiButton2
  AccountMenu,  // suiButton6
  Website,      // suiButton7
  Minimize,     // suiImageButton_Min
  Close,        // suiImageButton_Close
  Recharge,     // zhaohuimima
  StopUpdate,   // Button1
  Dialog,       // the buttons of the message dialogs
};

enum class ButtonState { Normal, Hover, Down, Disabled };

enum class LookColour {
  ListText,          // zone rows
  ListBack,          // zone list background
  LabelText,         // status line, information line, check box captions
  ButtonText,        // captions drawn on button faces
  ButtonTextShadow,  // the shade under those captions
  DecorText,         // panel headings and the title drawn on the face
  EditText,          // the interface choice field
  EditBack,
  DialogFace,  // message dialog body
  DialogTitleBar,
  DialogTitleText,
  DialogText,
  DialogBorder,
};

class Look {
 public:
  virtual ~Look() = default;
  // The window face, 864 x 568, with fuchsia (0xFF00FF) pixels outside the window: a
  // new picture for the caller to draw on and delete, as a 32-bit top-down DIB section;
  // null when there is none. Made straight from its source, so that no second picture
  // of the size of the window has to be filled.
  virtual HBITMAP MakeFace() const = 0;
  // The same face read in place where the program stores it, for a caller that only
  // copies from it; false when the face has to be made (MakeFace gives it then).
  virtual bool StoredFace(StoredRows& out) const {
    out = StoredRows{};
    return false;
  }
  // A button's picture in a state, sized as the button; the Normal picture stands in
  // for a state that has none. Null when the face has no picture at all.
  virtual HBITMAP Button(ButtonFace face, ButtonState state) const = 0;
  // The 17 x 17 status icons: running (Image1) or down and idle (Image2).
  virtual HBITMAP StatusIcon(bool running) const = 0;
  // A strip of four check box glyphs: checked, unchecked, checked and disabled,
  // unchecked and disabled.
  virtual HBITMAP CheckBoxStrip() const = 0;
  virtual COLORREF Colour(LookColour which) const = 0;
  // The program's icon at the given edge length (16 or 32).
  virtual HICON ProgramIcon(int size) const = 0;
};

}  // namespace qev::win32
