#pragma once
// A label (STATIC, owner-drawn): its text on the window face, which shows through.
// It grows to fit its text, never below its designed size and never past its room: a
// text wider than that is drawn condensed, so it does not run over its neighbours.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinLabel : public WinControl<TLabel>, public ChildHandler {
 public:
  // room: the widest the label may grow to (0: as wide as its text).
  WinLabel(const ControlKit& kit, HFONT font, int room = 0) : kit_(kit), font_(font), room_(room) {}
  bool Create(int id, const layout::Place& place, const std::string& text);

  void SetText(const std::string& text) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  void FitText();
  int TextWidth(HDC dc, const std::wstring& text) const;

  ControlKit kit_;
  HFONT font_;
  int room_;
  layout::Place designed_{};
};

}  // namespace qev::win32
