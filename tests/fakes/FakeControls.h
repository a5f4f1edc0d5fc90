#pragma once
// Fakes of the window's controls: they keep what was set so tests can read it back,
// and offer the user's gestures (click a row, type into a combo box) as calls.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialogs.h"

namespace qev::test {

// Records the main events of a test in order ("what: detail"), shared by several fakes.
using Journal = std::vector<std::string>;

template <class Base>
class FakeControlOf : public Base {
 public:
  bool Visible() const override { return visible; }
  void SetVisible(bool on) override { visible = on; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    history.push_back(t);
    if (journal) journal->push_back(name + ": " + t);
  }
  void Repaint() override { ++repaints; }
  TPoint ClientToScreen(TPoint p) const override { return {p.x + origin.x, p.y + origin.y}; }

  bool visible = true;
  bool enabled = true;
  std::string text;
  std::vector<std::string> history;  // every text set, in order
  int repaints = 0;
  TPoint origin;  // the control's top-left corner on the screen
  std::string name;
  Journal* journal = nullptr;
};

using FakeLabel = FakeControlOf<TLabel>;
using FakeImage = FakeControlOf<TImage>;

class FakeButton : public FakeControlOf<TButton> {
 public:
  void Click() {
    if (OnClick) OnClick();
  }
};

class FakeCheckBox : public FakeControlOf<TCheckBox> {
 public:
  bool Checked() const override { return checked; }
  void SetChecked(bool on) override { checked = on; }
  bool checked = false;
};

template <class Base>
class FakeRowsOf : public FakeControlOf<Base> {
 public:
  int Count() const override { return static_cast<int>(rows.size()); }
  void Add(const std::string& t) override {
    rows.push_back(t);
    if (this->journal) this->journal->push_back(this->name + " row: " + t);
  }
  void Clear() override {
    rows.clear();
    index = -1;
  }
  std::string Row(int i) const override {
    return i >= 0 && i < Count() ? rows[static_cast<size_t>(i)] : std::string();
  }
  void SetRow(int i, const std::string& t) override {
    if (i < 0 || i >= Count()) throw std::out_of_range("no such row");
    rows[static_cast<size_t>(i)] = t;
  }
  int ItemIndex() const override { return index; }
  void SetItemIndex(int i) override { index = i >= 0 && i < Count() ? i : -1; }

  std::vector<std::string> rows;
  int index = -1;
};

class FakeListBox : public FakeRowsOf<TListBox> {
 public:
  // A click on row i (a row past the end, or -1, is a click below the last row).
  void ClickRow(int i) {
    if (i >= 0 && i < Count()) index = i;
    if (OnClick) OnClick();
  }
};

class FakeComboBox : public FakeRowsOf<TComboBox> {
 public:
  // Text typed into the field: no row is selected any more.
  void Type(const std::string& t) {
    text = t;
    index = -1;
  }
};

class FakeProgressBar : public FakeControlOf<TProgressBar> {
 public:
  int Min() const override { return min; }
  void SetMin(int v) override { min = v; }
  int Max() const override { return max; }
  void SetMax(int v) override { max = v; }
  int Position() const override { return position; }
  void SetPosition(int v) override { position = v; }
  int min = 0, max = 100, position = 0;
};

class FakeTimer : public TTimer {
 public:
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  uint32_t Interval() const override { return interval; }
  void SetInterval(uint32_t ms) override { interval = ms; }
  void Fire() {
    if (OnTimer) OnTimer();
  }
  // One tick as the message loop delivers it: none while the timer is off.
  void Tick() {
    if (enabled) Fire();
  }
  bool enabled = false;
  uint32_t interval = 1000;
};

class FakeMenuItem : public TMenuItem {
 public:
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Visible() const override { return visible; }
  void SetVisible(bool on) override { visible = on; }
  void Click() {
    if (OnClick) OnClick();
  }
  bool enabled = true;
  bool visible = true;
};

class FakePopupMenu : public TPopupMenu {
 public:
  void Popup(TPoint screen) override { popups.push_back(screen); }
  void Change() {
    if (OnChange) OnChange();
  }
  std::vector<TPoint> popups;
};

class FakeTrayIcon : public TTrayIcon {
 public:
  void SetHint(const std::string& h) override { hint = h; }
  std::string Hint() const override { return hint; }
  bool IconEnabled() const override { return iconEnabled; }
  bool HideOnMinimize() const override { return hideOnMinimize; }
  void NotifyRestored() override { ++restoredNotices; }
  void LeftDown() {
    if (OnLeftDown) OnLeftDown();
  }
  std::string hint;
  bool iconEnabled = true;
  bool hideOnMinimize = true;
  int restoredNotices = 0;
};

class FakeWindow : public TWindow {
 public:
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& c) override { caption = c; }
  void Close() override {
    ++closes;
    if (OnClose) OnClose();
  }
  std::string caption;
  int closes = 0;
};

// The skinned message box: records every showing; answers from a script (default 1).
class FakeMessForm : public TMessForm {
 public:
  struct Shown {
    Icon icon;
    std::string font;
    int fontSize;
    std::string caption;
    std::string text;
  };
  void SetIcon(Icon i) override { icon = i; }
  Icon GetIcon() const override { return icon; }
  void SetFont(const std::string& name, int size) override {
    font = name;
    fontSize = size;
  }
  void SetCaption(const std::string& c) override { caption = c; }
  void SetText(const std::string& t) override { text = t; }
  int ShowModal() override;

  Icon icon = Icon::Information;
  std::string font;
  int fontSize = 0;
  std::string caption, text;
  std::vector<Shown> shown;
  std::deque<int> answers;
  // Runs while the box is up (the window keeps handling events under a modal box).
  std::function<void()> whileShown;
  Journal* journal = nullptr;
};

// The yes/no question: records caption and text of each showing; answers from a script,
// then `unscripted` (No unless a test changes it).
class FakeMessageDialog : public TMessageDialog {
 public:
  struct Shown {
    std::string caption, text;
  };
  void SetCaption(const std::string& c) override { caption = c; }
  void SetText(const std::string& t) override { text = t; }
  int ShowModal() override;

  std::string caption, text;
  std::vector<Shown> shown;
  std::deque<int> answers;
  int unscripted = kNo;
  Journal* journal = nullptr;
};

class FakeSystemDialogs : public SystemDialogs {
 public:
  struct Shown {
    std::string text, caption;
    uint32_t flags;
    bool owned;
  };
  int MessageBox(const std::string& text, const std::string& caption, uint32_t flags,
                 bool ownedByMainWindow) override;
  std::vector<Shown> shown;
  // Answers for Yes/No boxes (default No); OK boxes answer kIdOk.
  std::deque<int> answers;
};

}  // namespace qev::test
