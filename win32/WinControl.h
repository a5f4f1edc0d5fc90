#pragma once
// The common part of every child control of the main window: the TControl operations
// over a window handle, and the notifications the main window passes on to a control.

#include <windows.h>

#include <string>

#include "platform/Controls.h"
#include "win32/Gbk.h"

namespace qev::win32 {

// The text of a window in GBK ("" when it has none or some character has no GBK form).
std::string WindowTextGbk(HWND hwnd);

// What the main window hands a child: its command notifications, owner drawing and
// the colours of its parts.
class ChildHandler {
 public:
  virtual ~ChildHandler() = default;
  virtual void OnCommand(UINT /*code*/) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // A brush for the child (or one of its parts, such as a combo box's field) with the
  // colours set in dc; null lets the system choose.
  virtual HBRUSH OnColour(HWND /*part*/, HDC /*dc*/) { return nullptr; }
  // True when part is this control or one of its inner windows.
  virtual bool Owns(HWND part) const = 0;
};

// The painting messages of a control that draws every pixel itself with paint(dc):
// true, with the message's answer in result, when msg was one of them.
template <class Paint>
bool AnswerPaintMessage(HWND hwnd, UINT msg, WPARAM wp, LRESULT& result, Paint paint) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = TRUE;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      paint(dc);
      EndPaint(hwnd, &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
    default:
      return false;
  }
}

template <class Base>
class WinControl : public Base {
 public:
  HWND Handle() const { return hwnd_; }

  bool Visible() const override {
    return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  void SetVisible(bool on) override {
    if (hwnd_) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
  }
  bool Enabled() const override { return hwnd_ && IsWindowEnabled(hwnd_); }
  void SetEnabled(bool on) override {
    if (hwnd_) EnableWindow(hwnd_, on ? TRUE : FALSE);
  }
  std::string Text() const override { return WindowTextGbk(hwnd_); }
  void SetText(const std::string& text) override {
    if (hwnd_) SetWindowTextW(hwnd_, GbkToWide(text).c_str());
  }
  void Repaint() override {
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  }
  TPoint ClientToScreen(TPoint p) const override {
    POINT pt{p.x, p.y};
    if (hwnd_) ::ClientToScreen(hwnd_, &pt);
    return TPoint{pt.x, pt.y};
  }

 protected:
  HWND hwnd_ = nullptr;
};

// Creates a child window of a standard class at its place in the parent's client area.
HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::string& gbkText, DWORD style,
                 int id, const RECT& place, HFONT font);

}  // namespace qev::win32
