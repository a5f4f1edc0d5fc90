#pragma once
// A label (STATIC, owner-drawn): its text on the window face, which shows through.
// It grows to fit its text, never below its designed size.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinLabel : public WinControl<TLabel>, public ChildHandler {
 public:
  WinLabel(const ControlKit& kit, HFONT font) : kit_(kit), font_(font) {}
  bool Create(int id, const layout::Place& place, const std::string& text);

  void SetText(const std::string& text) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  void FitText();

  ControlKit kit_;
  HFONT font_;
  layout::Place designed_{};
};

}  // namespace qev::win32
