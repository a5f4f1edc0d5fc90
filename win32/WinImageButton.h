#pragma once
// An image button (BUTTON, owner-drawn): the look's picture for its state (normal,
// under the mouse, pressed, disabled) over the window face, and optionally its caption.
// The window text always names the command, drawn or not.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinImageButton : public WinControl<TButton>, public ChildHandler {
 public:
  // captionFont null: the picture alone carries the meaning (minimise, close).
  WinImageButton(const ControlKit& kit, ButtonFace face, HFONT captionFont)
      : kit_(kit), face_(face), captionFont_(captionFont) {}
  ~WinImageButton() override;
  bool Create(int id, const layout::Place& place, const std::string& text, bool visible);

  void OnCommand(UINT code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  template <class T>
  friend bool RouteMessagesTo(HWND hwnd, T* object);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  ButtonState StateOf(UINT itemState) const;

  ControlKit kit_;
  ButtonFace face_;
  HFONT captionFont_;
  bool hover_ = false;
};

// Paints a button face: picture (fuchsia left out) and the shaded caption, centred;
// pressed captions sit one pixel lower. Used by the window and the dialogs alike.
void PaintButtonFace(HDC dc, const RECT& r, HBITMAP picture, const std::wstring& caption,
                     HFONT font, const Look& look, bool pressed, bool disabled);

}  // namespace qev::win32
