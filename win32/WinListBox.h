#pragma once
// The zone list (LISTBOX, owner-drawn rows of fixed height, with strings): cream text
// on black, the selected row in the system's highlight colours. Every click on it runs
// OnClick, also on the current row; a click below the last row clears the selection.

#include "win32/ControlKit.h"
#include "win32/MainLayout.h"
#include "win32/WinControl.h"

namespace qev::win32 {

class WinListBox : public WinControl<TListBox>, public ChildHandler {
 public:
  WinListBox(const ControlKit& kit, HFONT font) : kit_(kit), font_(font) {}
  ~WinListBox() override;
  bool Create(int id, const layout::Place& place);

  int Count() const override;
  void Add(const std::string& text) override;
  void Clear() override;
  std::string Row(int i) const override;
  void SetRow(int i, const std::string& text) override;
  int ItemIndex() const override;
  void SetItemIndex(int i) override;

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnColour(HWND part, HDC dc) override;
  bool Owns(HWND part) const override { return part == hwnd_; }

 private:
  template <class T>
  friend bool RouteMessagesTo(HWND hwnd, T* object);
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool BelowLastRow(int y) const;

  ControlKit kit_;
  HFONT font_;
  Brush back_;
  bool pressed_ = false;
};

}  // namespace qev::win32
