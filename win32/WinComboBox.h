#pragma once
// The interface choice (COMBOBOX, CBS_DROPDOWN): an editable field over a list, in the
// window's dark colours. Typing into the field leaves no row selected, so only a row
// picked from the list counts as a choice.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

// The control draws its own frame and drop button in the window's colours (the system
// draws them white), and keeps that button at a fixed width, as the rest of the window
// is laid out in fixed pixels: at 150 % scaling the system's button would cover part
// of the field's text.
class WinComboBox : public WinControl<TComboBox>, public ChildHandler {
 public:
  WinComboBox(const ControlKit& kit, HFONT font) : kit_(kit), font_(font) {}
  ~WinComboBox() override;
  WinComboBox(const WinComboBox&) = delete;
  WinComboBox& operator=(const WinComboBox&) = delete;
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
  template <class T>
  friend bool RouteMessagesTo(HWND hwnd, T* object);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  void Paint(HDC dc);
  // The field between the frame and the drop button.
  void PlaceField();

  ControlKit kit_;
  HFONT font_;
  Brush back_;
  bool editing_ = false;
};

}  // namespace qev::win32
