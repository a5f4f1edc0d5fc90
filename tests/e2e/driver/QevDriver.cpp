// Drives windows of other processes for the end-to-end tests. One command per run;
// results are printed as UTF-8 JSON, one object per line. Windows are named by their
// handle (decimal), controls by their control ID; texts on the command line are UTF-8.
//
//   list [CLASS]                   every top-level window (of that class)
//   wait CLASS MS                  the first visible window of CLASS; exit 1 on time-out
//   wait-dialog MS [PID]           the first visible dialog (of that process), with its children
//   gone HWND MS                   exit 0 once the window no longer exists, 1 on time-out
//   info HWND                      one window with its child controls
//   controls HWND                  each child control on a line of its own
//   control HWND ID                one child control
//   click HWND ID                  BM_CLICK on a child
//   click-at HWND ID X Y           left button down and up at a client point of a child
//   select-combo HWND ID ROW       picks a row of a combo box
//   command HWND ID                posts WM_COMMAND with a command ID
//   post HWND MSG WPARAM LPARAM    PostMessage
//   send HWND MSG WPARAM LPARAM    SendMessage; prints the result
//   menu MS                        the open pop-up menu's items
//   menu-pick MS ID | menu-close MS   picks an item of the open pop-up menu / closes it
//   answer CAPTION MS [PID]        clicks the button CAPTION of a dialog, printing the dialog
//   click-first-button HWND        BM_CLICK on the first button of a dialog
//   minimize HWND | close HWND     posts the system command / WM_CLOSE
//   front HWND                     brings the window to the foreground
//   shot HWND FILE                 the window's screen area as a BMP file
//   read-link FILE                 target, arguments and working folder of a shell link
//   monkey HWND MS SEED            clicks through the launcher at random (see DriverMonkey.h)
//   hold-window CLASS TITLEHEX MS  shows a window of CLASS with the caption given as the
//                                  hex of its UTF-8 bytes, for MS milliseconds
//   clean [PID...]                 ends what earlier tests left (see DriverLeftovers.h),
//                                  keeping the processes named; prints each thing it closed
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "DriverActions.h"
#include "DriverCapture.h"
#include "DriverLeftovers.h"
#include "DriverMenu.h"
#include "DriverMonkey.h"
#include "DriverText.h"
#include "DriverWindows.h"

using namespace driver;

namespace {

constexpr int kUsage = 2;

struct Args {
  int argc;
  char** argv;
  bool Has(int n) const { return argc > n + 1; }  // argv[1] is the command
  HWND Hwnd(int i) const { return ParseHwnd(argv[i + 1]); }
  unsigned long Num(int i) const { return ParseNumber(argv[i + 1]); }
  long Signed(int i) const { return strtol(argv[i + 1], nullptr, 0); }
  std::wstring Text(int i) const { return Wide(argv[i + 1]); }
};

int Ok(bool ok) { return ok ? 0 : 1; }

int Print(const std::string& json) {
  if (json.empty()) return 1;
  printf("%s\n", json.c_str());
  fflush(stdout);
  return 0;
}

int List(const Args& a) {
  const std::wstring cls = a.Has(1) ? a.Text(1) : L"";
  for (HWND h : TopLevel())
    if (cls.empty() || ClassOf(h) == cls) PrintWindow(h, false);
  return 0;
}

int Wait(const Args& a) {
  const std::wstring cls = a.Text(1);
  HWND h = WaitFor([&](HWND w) { return ClassOf(w) == cls; }, a.Num(2));
  if (!h) return 1;
  PrintWindow(h, false);
  return 0;
}

int WaitDialog(const Args& a) {
  const DWORD pid = a.Has(2) ? a.Num(2) : 0;
  HWND h = WaitFor([&](HWND w) { return IsDialog(w) && (!pid || ProcessOf(w) == pid); }, a.Num(1));
  if (!h) return 1;
  PrintWindow(h, true);
  return 0;
}

int Gone(const Args& a) {
  HWND h = a.Hwnd(1);
  const DWORD start = GetTickCount();
  while (IsWindow(h)) {
    if (GetTickCount() - start >= a.Num(2)) return 1;
    Sleep(25);
  }
  return 0;
}

int Info(const Args& a) {
  if (!IsWindow(a.Hwnd(1))) return 1;
  PrintWindow(a.Hwnd(1), true);
  return 0;
}

int Controls(const Args& a) {
  if (!IsWindow(a.Hwnd(1))) return 1;
  for (HWND c : DirectChildren(a.Hwnd(1))) Print(ControlJson(c));
  return 0;
}

int Control(const Args& a) {
  HWND c = ChildById(a.Hwnd(1), (int)a.Signed(2));
  return c ? Print(ControlJson(c)) : 1;
}

int Answer(const Args& a) {
  HWND button = nullptr;
  HWND dialog = WaitForDialogButton(a.Text(1), a.Has(3) ? a.Num(3) : 0, a.Num(2), button);
  if (!dialog) return 1;
  PrintWindow(dialog, true);
  return Ok(PostMessageW(button, BM_CLICK, 0, 0));
}

int ClickFirstButton(const Args& a) { return Ok(ClickDialogButton(a.Hwnd(1), L"")); }

int Send(const Args& a) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(a.Hwnd(1), a.Num(2), a.Num(3), a.Signed(4), SMTO_ABORTIFHUNG, 5000,
                           &result))
    return 1;
  printf("{\"result\": %lld}\n", (long long)(LONG_PTR)result);
  fflush(stdout);
  return 0;
}

int Menu(const Args& a) {
  HWND menu = WaitForMenu(a.Num(1));
  if (!menu) return 1;
  const std::string items = ReadMenu(menu);
  if (items.empty()) return 1;
  char head[96];
  snprintf(head, sizeof head, "{\"hwnd\": %llu, \"pid\": %lu, ",
           (unsigned long long)(ULONG_PTR)menu, (unsigned long)ProcessOf(menu));
  return Print(head + items.substr(1));
}

int MenuPick(const Args& a) {
  HWND menu = WaitForMenu(a.Num(1));
  return Ok(menu && PickMenuItem(menu, (int)a.Signed(2)));
}

int MenuClose(const Args& a) {
  HWND menu = WaitForMenu(a.Num(1));
  if (!menu) return 1;
  CloseMenu(menu);
  return 0;
}

int Front(const Args& a) {
  HWND h = a.Hwnd(1);
  ShowWindow(h, SW_SHOW);
  return Ok(SetForegroundWindow(h));
}

int HoldWindow(const Args& a) {
  const std::wstring cls = a.Text(1);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls.c_str();
  RegisterClassW(&wc);
  HWND h = CreateWindowExW(0, cls.c_str(), Wide(FromHex(a.argv[3])).c_str(), WS_OVERLAPPEDWINDOW,
                           10, 10, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  if (!h) return 1;
  ShowWindow(h, SW_SHOW);
  PrintWindow(h, false);
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < a.Num(3)) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  DestroyWindow(h);
  return 0;
}

int Clean(const Args& a) {
  std::vector<DWORD> keep;
  for (int i = 1; a.Has(i); ++i) keep.push_back(a.Num(i));
  CleanDesktop(keep);
  return 0;
}

struct Command {
  const char* name;
  int arguments;  // at least
  int (*run)(const Args&);
};

const Command kCommands[] = {
    {"list", 0, List},
    {"wait", 2, Wait},
    {"wait-dialog", 1, WaitDialog},
    {"gone", 2, Gone},
    {"info", 1, Info},
    {"controls", 1, Controls},
    {"control", 2, Control},
    {"click", 2, [](const Args& a) { return Ok(ClickChild(a.Hwnd(1), (int)a.Signed(2))); }},
    {"click-at", 4,
     [](const Args& a) {
       return Ok(ClickChildAt(a.Hwnd(1), (int)a.Signed(2), (int)a.Signed(3), (int)a.Signed(4)));
     }},
    {"select-combo", 3,
     [](const Args& a) {
       return Ok(SelectComboRow(a.Hwnd(1), (int)a.Signed(2), (int)a.Signed(3)));
     }},
    {"command", 2, [](const Args& a) { return Ok(PostCommand(a.Hwnd(1), (int)a.Signed(2))); }},
    {"post", 4,
     [](const Args& a) { return Ok(PostMessageW(a.Hwnd(1), a.Num(2), a.Num(3), a.Signed(4))); }},
    {"send", 4, Send},
    {"menu", 1, Menu},
    {"menu-pick", 2, MenuPick},
    {"menu-close", 1, MenuClose},
    {"answer", 2, Answer},
    {"click-first-button", 1, ClickFirstButton},
    {"minimize", 1,
     [](const Args& a) { return Ok(PostMessageW(a.Hwnd(1), WM_SYSCOMMAND, SC_MINIMIZE, 0)); }},
    {"close", 1, [](const Args& a) { return Ok(PostMessageW(a.Hwnd(1), WM_CLOSE, 0, 0)); }},
    {"front", 1, Front},
    {"shot", 2, [](const Args& a) { return Ok(SaveWindowPicture(a.Hwnd(1), a.Text(2))); }},
    {"read-link", 1, [](const Args& a) { return Print(ReadShellLink(a.Text(1))); }},
    {"monkey", 3, [](const Args& a) { return RunMonkey(a.Hwnd(1), a.Num(2), (unsigned)a.Num(3)); }},
    {"hold-window", 3, HoldWindow},
    {"clean", 0, Clean},
};

}  // namespace

// The wide entry: arguments arrive as UTF-16 whatever the system's code page, and are
// handed on as UTF-8.
int wmain(int argc, wchar_t** wargv) {
  if (argc < 2) return kUsage;
  std::vector<std::string> utf8;
  for (int i = 0; i < argc; ++i) utf8.push_back(Utf8(wargv[i]));
  std::vector<char*> argv;
  for (std::string& a : utf8) argv.push_back(a.data());
  const Args args{argc, argv.data()};
  for (const Command& c : kCommands)
    if (strcmp(argv[1], c.name) == 0) return args.Has(c.arguments) ? c.run(args) : kUsage;
  return kUsage;
}
