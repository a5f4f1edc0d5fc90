#pragma once
// The interface choice (COMBOBOX, CBS_DROPDOWN): an editable field over a list, in the
// window's dark colours. Typing into the field leaves no row selected, so only a row
// picked from the list counts as a choice.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinComboBox : public WinControl<TComboBox>, public ChildHandler {
 public:
  WinComboBox(const ControlKit& kit, HFONT font) : kit_(kit), font_(font) {}
  bool Create(int id, const layout::Place& place);

  int Count() const override;
  void Add(const std::string& text) override;
  void Clear() override;
  std::string Row(int i) const override;
  void SetRow(int i, const std::string& text) override;
  int ItemIndex() const override;
  void SetItemIndex(int i) override;

  void OnCommand(UINT code) override;
  HBRUSH OnColour(HWND part, HDC dc) override;
  bool Owns(HWND part) const override;

 private:
  ControlKit kit_;
  HFONT font_;
  Brush back_;
  bool editing_ = false;
};

}  // namespace qev::win32
