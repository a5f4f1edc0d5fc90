#pragma once
// A main window made of recording fakes, with the update subsystem attached: the
// in-memory file system, the HTTP fake as IdHTTP1 and as the worker's client factory,
// real worker threads whose hand-overs run on the test's thread, scripted dialogs, and a
// message queue that ProcessMessages runs (the test's way to click or tick mid-transfer).

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "launcher/TForm1.h"
#include "tests/fakes/FakeControls.h"
#include "tests/fakes/FakeHttp.h"
#include "tests/fakes/FakeThread.h"
#include "tests/fakes/MemFileSystem.h"
#include "update/Updater.h"

namespace qev::test {

template <class Base>
class ControlFake : public Base {
 public:
  bool Visible() const override { return visible; }
  void SetVisible(bool on) override { visible = on; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    history.push_back(t);
  }
  void Repaint() override {}
  TPoint ClientToScreen(TPoint p) const override { return p; }
  bool visible = true, enabled = true;
  std::string text;
  std::vector<std::string> history;  // every text set, in order
};

template <class Base>
class RowsFake : public ControlFake<Base> {
 public:
  int Count() const override { return static_cast<int>(rows.size()); }
  void Add(const std::string& t) override { rows.push_back(t); }
  void Clear() override {
    rows.clear();
    index = -1;
  }
  std::string Row(int i) const override { return i >= 0 && i < Count() ? rows[i] : ""; }
  void SetRow(int i, const std::string& t) override {
    if (i < 0 || i >= Count()) throw std::out_of_range("row");
    rows[i] = t;
  }
  int ItemIndex() const override { return index; }
  void SetItemIndex(int i) override { index = i; }
  std::vector<std::string> rows;
  int index = -1;
};

class CheckFake : public ControlFake<TCheckBox> {
 public:
  bool Checked() const override { return checked; }
  void SetChecked(bool on) override { checked = on; }
  bool checked = false;
};

class ProgressFake : public ControlFake<TProgressBar> {
 public:
  int Min() const override { return min; }
  void SetMin(int v) override { min = v; }
  int Max() const override { return max; }
  void SetMax(int v) override { max = v; }
  int Position() const override { return pos; }
  void SetPosition(int v) override { pos = v; }
  int min = 0, max = 100, pos = 0;
};

class TimerFake : public TTimer {
 public:
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  uint32_t Interval() const override { return interval; }
  void SetInterval(uint32_t ms) override { interval = ms; }
  // One tick, as the message loop would deliver it.
  void Tick() {
    if (enabled && OnTimer) OnTimer();
  }
  bool enabled = false;
  uint32_t interval = 1000;
};

class MenuItemFake : public TMenuItem {
 public:
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Visible() const override { return visible; }
  void SetVisible(bool on) override { visible = on; }
  bool enabled = true, visible = true;
};

class PopupFake : public TPopupMenu {
 public:
  void Popup(TPoint) override {}
};

class TrayFake : public TTrayIcon {
 public:
  void SetHint(const std::string& h) override { hint = h; }
  std::string Hint() const override { return hint; }
  bool IconEnabled() const override { return true; }
  bool HideOnMinimize() const override { return true; }
  void NotifyRestored() override {}
  std::string hint;
};

class WindowFake : public TWindow {
 public:
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& c) override { caption = c; }
  void Close() override {}
  std::string caption;
};

class BrowserFake : public NoticeBrowser {
 public:
  void Navigate(const std::string&) override {}
  void SetTheaterMode(bool) override {}
};

class SocketFake : public ClientSocket {
 public:
  std::string Address() const override { return address; }
  void SetAddress(const std::string& a) override { address = a; }
  int32_t Port() const override { return port; }
  void SetPort(int32_t p) override { port = p; }
  bool Active() const override { return false; }
  void SetActive(bool) override {}
  uint32_t Open() override { return 1; }
  void Close() override {}
  std::string ReceiveText() override { return ""; }
  std::string address;
  int32_t port = 0;
};

struct ShownMessage {
  TMessForm::Icon icon;
  std::string text;
};

class MessFormFake : public TMessForm {
 public:
  void SetIcon(Icon i) override { icon = i; }
  Icon GetIcon() const override { return icon; }
  void SetFont(const std::string&, int) override {}
  void SetCaption(const std::string&) override {}
  void SetText(const std::string& t) override { text = t; }
  int ShowModal() override {
    shown.push_back({icon, text});
    return 1;
  }
  Icon icon = Icon::None;
  std::string text;
  std::vector<ShownMessage> shown;
};

struct AskedQuestion {
  std::string caption, text;
};

// Answers from a script (Yes when the script is empty).
class QuestionFake : public TMessageDialog {
 public:
  void SetCaption(const std::string& c) override { caption = c; }
  void SetText(const std::string& t) override { text = t; }
  int ShowModal() override {
    asked.push_back({caption, text});
    if (answers.empty()) return kYes;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  std::string caption, text;
  std::deque<int> answers;
  std::vector<AskedQuestion> asked;
};

class ResolverFake : public HostResolver {
 public:
  bool ResolveHost(const std::string&, std::string&) override { return false; }
};

// ProcessMessages runs the queued "messages" (test actions), one batch per call.
class AppFake : public Application {
 public:
  std::string Title() const override { return title; }
  void SetTitle(const std::string& t) override { title = t; }
  std::string ExeName() const override { return exeName; }
  void ProcessMessages() override {
    ++pumps;
    std::deque<std::function<void()>> batch;
    batch.swap(pending);
    for (auto& f : batch) f();
    if (onPump) onPump();
  }
  void Terminate() override { terminated = true; }
  bool Terminated() const override { return terminated; }
  void Minimize() override {}
  void Restore() override {}
  bool IsMinimized() const override { return false; }
  void HideTaskbarWindow() override {}
  void ShowRestoredInFront() override {}
  void SetBusyCursor(bool) override {}

  std::string title, exeName;
  bool terminated = false;
  int pumps = 0;
  std::deque<std::function<void()>> pending;
  std::function<void()> onPump;  // runs at every pump, after the queued actions
};

struct ShellOpenCall {
  std::string file, parameters, directory;
};

class ShellFake : public Shell {
 public:
  int Open(const std::string& f, const std::string& p, const std::string& d) override {
    opened.push_back({f, p, d});
    return 42;
  }
  std::vector<ShellOpenCall> opened;
};

class RegistryFake : public Registry {
 public:
  bool ReadCurrentUserString(const std::string&, const std::string&, std::string&) override {
    return false;
  }
};

class LinksFake : public ShellLinks {
 public:
  bool Save(const std::string&, const std::string&, const std::string&,
            const std::string&) override {
    return true;
  }
};

// Each reading moves the clock 50 ms on, so delays end.
class ClockFake : public Clock {
 public:
  uint32_t TickCount() override { return now += 50; }
  uint32_t now = 1000;
};

class ThemeFake : public SkinTheme {
 public:
  void SetThemeFile(const std::string&) override {}
};

struct FormHarness {
  explicit FormHarness(const std::string& appDir = "C:\\Game\\");
  ~FormHarness();

  // Creates the window (workers start) and lets every worker finish, running their
  // hand-overs here. False when a worker hung.
  bool CreateAndSettle();

  MemFileSystem fs;
  FakeHttpServer server;
  FakeHttpFactory factory{server};
  FakeHttpClient IdHTTP1{server};
  FakeThreadHost threads;

  WindowFake window;
  RowsFake<TListBox> combo1;
  ControlFake<TLabel> ZT, RzLabel1;
  ControlFake<TImage> Image1, Image2;
  BrowserFake Web;
  ControlFake<TButton> suiButton1, suiButton2, suiButton6, suiButton7, minButton, closeButton,
      zhaohuimima, Button1;
  CheckFake Opt1, Opt2, Opt3;
  RowsFake<TComboBox> Combo2;
  ProgressFake ProgressBarCount;
  TrayFake tray;
  SocketFake socket;
  TimerFake Timer1, Timer4, Timer5;
  MessFormFake MessForm;
  QuestionFake suiMessageDialog1;
  PopupFake popup1, popup2;
  MenuItemFake M1, M2, M4, N1, N2, N3, N8;

  ResolverFake resolver;
  AppFake app;
  ShellFake shell;
  RegistryFake registry;
  LinksFake links;
  ClockFake clock;
  FakeSystemDialogs boxes;  // the shared fake: Yes/No boxes answer No unless scripted
  ThemeFake theme;

  ProcessValues values;
  TUpdater updater{threads, factory};
  std::unique_ptr<TForm1> form;
};

}  // namespace qev::test
