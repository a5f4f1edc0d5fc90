#pragma once
// Tiny owners of GDI handles: each frees its handle once, when it goes out of scope.

#include <windows.h>

#include <utility>

namespace qev::win32 {

// Any object freed with DeleteObject (bitmap, font, brush, pen, region).
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H h) : h_(h) {}
  GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(std::exchange(other.h_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Gives the handle away (to a call that takes ownership, such as SetWindowRgn).
  H release() { return std::exchange(h_, nullptr); }
  void reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Region = GdiObject<HRGN>;

// Selects an object into a device context and puts the old one back at scope end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A memory device context compatible with another one.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// An off-screen picture of a rectangle: draw into dc(), then Show() copies it onto the
// target in one step, so the screen never sees a half-drawn control.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& area)
      : target_(target),
        area_(area),
        mem_(target),
        bitmap_(CreateCompatibleBitmap(target, Width(), Height())),
        select_(mem_.get(), bitmap_.get()) {
    SetWindowOrgEx(mem_.get(), area.left, area.top, nullptr);
  }
  HDC dc() const { return mem_.get(); }
  void Show() {
    SetWindowOrgEx(mem_.get(), 0, 0, nullptr);
    BitBlt(target_, area_.left, area_.top, Width(), Height(), mem_.get(), 0, 0, SRCCOPY);
  }

 private:
  int Width() const { return area_.right - area_.left; }
  int Height() const { return area_.bottom - area_.top; }
  HDC target_;
  RECT area_;
  MemoryDc mem_;
  Bitmap bitmap_;
  Selection select_;
};

// Fills r with one colour.
inline void FillColour(HDC dc, const RECT& r, COLORREF colour) {
  Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

// Dimensions of a bitmap; {0, 0} for none.
inline SIZE BitmapSize(HBITMAP bmp) {
  BITMAP info = {};
  if (!bmp || !GetObjectW(bmp, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace qev::win32
