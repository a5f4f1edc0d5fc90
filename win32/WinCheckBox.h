#pragma once
// A check box (BUTTON, BS_AUTOCHECKBOX): the button keeps the state, so BM_GETCHECK
// and keyboard use work as usual; only its painting is replaced by the look's glyph
// strip and a cream caption over the window face. It sizes itself to glyph and caption.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinCheckBox : public WinControl<TCheckBox>, public ChildHandler {
 public:
  WinCheckBox(const ControlKit& kit, HFONT font) : kit_(kit), font_(font) {}
  ~WinCheckBox() override;
  // hint: a tool tip shown over the box ("" for none).
  bool Create(int id, const layout::Place& corner, const std::string& caption, bool visible,
              const std::string& hint);

  bool Checked() const override;
  void SetChecked(bool on) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                   DWORD_PTR self);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  SIZE FittedSize() const;
  void AddHint(const std::string& hint);

  ControlKit kit_;
  HFONT font_;
  HWND tip_ = nullptr;
};

}  // namespace qev::win32
