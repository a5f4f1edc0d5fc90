#pragma once
// One of the two 17 x 17 status icons (STATIC, owner-drawn) over the window face.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinStatusImage : public WinControl<TImage>, public ChildHandler {
 public:
  // running: the icon of a running server (Image1), else the down and idle one.
  WinStatusImage(const ControlKit& kit, bool running) : kit_(kit), running_(running) {}
  bool Create(int id, const layout::Place& place, bool visible);

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  ControlKit kit_;
  bool running_;
};

// Draws picture at (x, y) with fuchsia pixels left out.
void DrawWithoutFuchsia(HDC dc, HBITMAP picture, int x, int y);

}  // namespace qev::win32
