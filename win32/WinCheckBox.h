#pragma once
// A check box (BUTTON, BS_AUTOCHECKBOX): the button keeps the state, so BM_GETCHECK
// and keyboard use work as usual; only its painting is replaced by the theme's box
// glyph (a skin's six-frame strip, or the built-in style's four frames) and a cream
// caption over the window face. It sizes itself to glyph and caption, again whenever
// its style or theme is written.

#include <string>

#include "skin/ThemeComponents.h"
#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinBitmaps.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinCheckBox : public WinControl<TCheckBox>, public ChildHandler, public ThemedControl {
 public:
  // form and name: the component it is of the window's theme (none: built-in only);
  // resources: where the built-in style's pictures are.
  WinCheckBox(const ControlKit& kit, HFONT font, ComponentOwner* form = nullptr,
              std::string name = "", BitmapResources& resources = OwnBitmapResources())
      : ThemedControl(form, std::move(name), InitialStyleFromOwner(form)),
        kit_(kit),
        font_(font),
        resources_(resources) {}
  ~WinCheckBox() override;
  // hint: a tool tip shown over the box ("" for none).
  bool Create(int id, const layout::Place& corner, const std::string& caption, bool visible,
              const std::string& hint);

  bool Checked() const override;
  void SetChecked(bool on) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 protected:
  void ApplyStyle() override;

 private:
  template <class T>
  friend bool RouteMessagesTo(HWND hwnd, T* object);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  PlainBitmap Glyph(bool checked, bool enabled) const;
  SIZE FittedSize() const;
  // The tool tip is made when the mouse first comes over the box: it is a window of its
  // own, and most sessions never show it.
  void AddHint();

  ControlKit kit_;
  HFONT font_;
  BitmapResources& resources_;
  HWND tip_ = nullptr;
  std::string hint_;
  // The caption's extent in the box's font, measured again after the caption changes:
  // style and theme are written many times while the window is made, and reading the
  // caption back each time costs messages through the whole subclass chain.
  struct Measure {
    bool Valid = false;
    SIZE Text{};
    SIZE Letter{};
  };
  mutable Measure measured_;
};

}  // namespace qev::win32
