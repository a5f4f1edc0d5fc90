#pragma once
// The controls of a window, as the behaviour code sees them. The Windows layer
// implements them over real controls; tests use fakes that record what was set.
// Texts are GBK byte strings. Rows are 0-based; -1 means "no row".
//
// Events are plain function slots: whoever wires the window binds a handler to them
// (the Windows layer calls the slot when the event happens; an empty slot is ignored).

#include <cstdint>
#include <functional>
#include <string>

namespace qev {

struct TPoint {
  int x = 0;
  int y = 0;
};

class TControl {
 public:
  virtual ~TControl() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool on) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool on) = 0;
  // Caption or text of the control (the label's line, the button's caption).
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // Paints the control now instead of at the next paint message.
  virtual void Repaint() = 0;
  // Converts a point from the control's own coordinates to screen coordinates.
  virtual TPoint ClientToScreen(TPoint p) const = 0;
};

class TLabel : public TControl {};
class TImage : public TControl {};

class TButton : public TControl {
 public:
  std::function<void()> OnClick;
  // Mouse button released over the control, in the control's coordinates.
  std::function<void(TPoint)> OnMouseUp;
};

class TCheckBox : public TControl {
 public:
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool on) = 0;
};

// Rows of a list box or of a combo box's list.
class TRowsControl : public TControl {
 public:
  virtual int Count() const = 0;
  virtual void Add(const std::string& text) = 0;
  virtual void Clear() = 0;
  // Text of row i; "" when i is out of range.
  virtual std::string Row(int i) const = 0;
  // Replaces the text of row i; throws std::out_of_range when i is not a row.
  virtual void SetRow(int i, const std::string& text) = 0;
  // The current (selected) row, -1 for none.
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int i) = 0;
};

class TListBox : public TRowsControl {
 public:
  // A click anywhere on the list (also on the current row, also below the last row).
  std::function<void()> OnClick;
};

// A combo box with an editable field: text typed into the field that is not picked from
// the list leaves ItemIndex at -1.
class TComboBox : public TRowsControl {};

class TProgressBar : public TControl {
 public:
  virtual int Min() const = 0;
  virtual void SetMin(int v) = 0;
  virtual int Max() const = 0;
  virtual void SetMax(int v) = 0;
  virtual int Position() const = 0;
  virtual void SetPosition(int v) = 0;
};

class TTimer {
 public:
  virtual ~TTimer() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool on) = 0;
  virtual uint32_t Interval() const = 0;
  virtual void SetInterval(uint32_t ms) = 0;
  std::function<void()> OnTimer;
};

class TMenuItem {
 public:
  virtual ~TMenuItem() = default;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool on) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool on) = 0;
  std::function<void()> OnClick;
};

class TPopupMenu {
 public:
  virtual ~TPopupMenu() = default;
  // Shows the menu at a screen point; returns once it is dismissed.
  virtual void Popup(TPoint screen) = 0;
  // The menu is about to change (be shown).
  std::function<void()> OnChange;
};

// The notification-area icon.
class TTrayIcon {
 public:
  virtual ~TTrayIcon() = default;
  virtual void SetHint(const std::string& hint) = 0;
  virtual std::string Hint() const = 0;
  // The icon is enabled (shown while the window is minimised to the tray).
  virtual bool IconEnabled() const = 0;
  // The application's taskbar window is to be hidden on minimise.
  virtual bool HideOnMinimize() const = 0;
  // Fires the "application restored" notification.
  virtual void NotifyRestored() = 0;
  // Left mouse button pressed on the icon.
  std::function<void()> OnLeftDown;
};

// The main window itself.
class TWindow {
 public:
  virtual ~TWindow() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Asks the window to close; the close handler runs, then the application ends.
  virtual void Close() = 0;
  // The window is closing (bound to the window's close handler).
  std::function<void()> OnClose;
};

}  // namespace qev
