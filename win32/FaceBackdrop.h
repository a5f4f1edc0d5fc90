#pragma once
// The picture behind every control: the look's face with the window's own headings
// and title drawn on it once. Controls that show the face through (labels, icons,
// check boxes, image buttons) copy their piece of it before drawing themselves.

#include <string>

#include "win32/GdiHolders.h"
#include "win32/Look.h"
#include "win32/LookFonts.h"

namespace qev::win32 {

class FaceBackdrop {
 public:
  FaceBackdrop() = default;
  FaceBackdrop(const FaceBackdrop&) = delete;
  FaceBackdrop& operator=(const FaceBackdrop&) = delete;

  // Composes the picture: the face (or a plain dark panel when the look has none),
  // then the headings and the GBK title.
  void Compose(const Look& look, const LookFonts& fonts, const std::string& title);
  // A 32-bit top-down DIB section of the client area's size.
  HBITMAP Picture() const { return picture_.get(); }

  // Copies the face under area (in child's client coordinates) into dc at the same
  // coordinates. main is the window whose client area the face covers.
  void Fill(HDC dc, HWND main, HWND child, const RECT& area) const;

 private:
  Bitmap picture_;
};

}  // namespace qev::win32
