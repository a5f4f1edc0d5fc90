#pragma once
// The fonts the window and its dialogs draw with, made once.

#include "win32/GdiHolders.h"

namespace qev::win32 {

struct LookFonts {
  LookFonts();
  // 宋体 12 pixels: zone rows, status line, check boxes, the interface choice.
  Font Body;
  // 宋体 13 pixels: the information line.
  Font Info;
  // 宋体 9 points: the message dialogs.
  Font Dialog;
  // Bold 黑体: captions on the image buttons (small and the start button's large one).
  Font Button;
  Font ButtonSmall;
  Font StartButton;
  // Bold 黑体 for the panel headings and the title banner on the face.
  Font Heading;
  Font Title;
};

// A font by GBK face name and cell-less character height in pixels.
HFONT MakeFont(const char* gbkFace, int pixelHeight, bool bold);

// A font size in points as pixels on this screen (its logical DPI).
int PointsToPixels(int points);

}  // namespace qev::win32
