#pragma once
// The picture behind every control: the look's face with the window's own headings
// and title drawn on it once. Controls that show the face through (labels, icons,
// check boxes, image buttons) copy their piece of it before drawing themselves.

#include <string>
#include <vector>

#include "win32/GdiHolders.h"
#include "win32/Look.h"
#include "win32/LookFonts.h"
#include "win32/StoredRows.h"

namespace qev::win32 {

class FaceBackdrop {
 public:
  FaceBackdrop() = default;
  FaceBackdrop(const FaceBackdrop&) = delete;
  FaceBackdrop& operator=(const FaceBackdrop&) = delete;

  // Composes the picture: the face (or a plain dark panel when the look has none),
  // then the headings and the GBK title. A face the look stores in place is copied
  // from where it lies, and only the pieces under the words are made as pictures.
  void Compose(const Look& look, const LookFonts& fonts, const std::string& title);

  // Copies the face under area (in child's client coordinates) into dc at the same
  // coordinates. main is the window whose client area the face covers.
  void Fill(HDC dc, HWND main, HWND child, const RECT& area) const;

  // The window's shape: every pixel of the face that is not the transparent colour;
  // null when there is no readable face.
  HRGN Shape(COLORREF transparent) const;

 private:
  // A piece of a stored face with words drawn on it, at its place on the face.
  struct Piece {
    RECT place;
    Bitmap picture;
  };

  // The whole composed picture (a 32-bit top-down DIB section of the client area's size),
  // or, for a stored face, the face in place and the pieces that carry words.
  Bitmap picture_;
  StoredRows stored_;
  std::vector<Piece> pieces_;
};

}  // namespace qev::win32
