#include "DriverMonkey.h"

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "DriverActions.h"
#include "DriverMenu.h"
#include "DriverText.h"
#include "DriverWindows.h"

namespace driver {

namespace {

// Buttons and check boxes a player can press; the close button is left out (the walk
// would end at once), as is the hidden top-up button.
const int kClickable[] = {1101, 1102, 1106, 1107, 1110, 1201, 1202, 1402};
const int kListBox = 1001;
const int kCombo = 1301;
// Menu commands posted as WM_COMMAND: restore, start, change and recover password.
// Quit and "open the client folder" (another program's window) are left out.
const int kCommands[] = {2001, 2002, 2101, 2102};
const UINT kTrayMessage = WM_APP + 1;

struct Tally {
  int actions = 0, dialogs = 0, menus = 0, unexpected = 0, unresponsive = 0;
};

bool Responds(HWND h) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r) != 0;
}

void Report(const char* kind, HWND h) {
  printf("{\"event\": \"%s\", \"class\": %s, \"title\": %s, \"pid\": %lu, \"texts\": [", kind,
         Json(ClassOf(h)).c_str(), Json(TextOf(h)).c_str(), (unsigned long)ProcessOf(h));
  bool first = true;
  for (HWND c : DirectChildren(h)) {
    const std::wstring text = TextOf(c);
    if (text.empty()) continue;
    printf("%s%s", first ? "" : ", ", Json(text).c_str());
    first = false;
  }
  printf("]}\n");
  fflush(stdout);
}

// Answers what the last action opened. Dialogs get "No" when they ask, else their first
// button; menus are closed. Windows that were already there when the walk began (known)
// are not the launcher's doing.
void Tidy(HWND main, DWORD pid, const std::set<HWND>& known, Tally& t) {
  for (HWND h : TopLevel()) {
    if (h == main || !IsWindowVisible(h) || known.count(h)) continue;
    if (IsPopupMenu(h)) {
      ++t.menus;
      CloseMenu(h);
    } else if (IsDialog(h) && ProcessOf(h) == pid) {
      ++t.dialogs;
      Report("dialog", h);
      if (!ClickDialogButton(h, L"(&N)\x5426")) ClickDialogButton(h, L"");
    } else {
      ++t.unexpected;
      Report("unexpected", h);
      if (IsDialog(h)) ClickDialogButton(h, L"");
    }
  }
}

void Act(HWND main, std::mt19937& rng, Tally& t) {
  auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
  ++t.actions;
  switch (pick(6)) {
    case 0:
    case 1: {
      const int id = kClickable[pick(std::size(kClickable))];
      HWND c = ChildById(main, id);
      if (c && IsWindowVisible(c) && IsWindowEnabled(c)) ClickChild(main, id);
      break;
    }
    case 2: {
      RECT r = {};
      if (HWND list = ChildById(main, kListBox)) GetClientRect(list, &r);
      if (r.right > 0 && r.bottom > 0) ClickChildAt(main, kListBox, pick(r.right), pick(r.bottom));
      break;
    }
    case 3:
      SelectComboRow(main, kCombo, pick(3));
      break;
    case 4:
      PostCommand(main, kCommands[pick(std::size(kCommands))]);
      break;
    default:
      PostMessageW(main, kTrayMessage, 0, pick(4) ? WM_LBUTTONDOWN : WM_RBUTTONUP);
      break;
  }
}

}  // namespace

int RunMonkey(HWND main, DWORD ms, unsigned seed) {
  const DWORD pid = ProcessOf(main);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  std::set<HWND> known;
  for (HWND h : TopLevel())
    if (IsWindowVisible(h)) known.insert(h);
  std::mt19937 rng(seed);
  Tally t;
  bool alive = true;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    Act(main, rng, t);
    Sleep(30 + rng() % 120);
    Tidy(main, pid, known, t);
    if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
      alive = false;
      break;
    }
    if (t.actions % 10 == 0 && !Responds(main)) {
      ++t.unresponsive;
      printf("{\"event\": \"unresponsive\", \"after\": %d}\n", t.actions);
      fflush(stdout);
    }
  }
  // Let the last action's dialog or menu appear, then leave the launcher tidy.
  Sleep(500);
  Tidy(main, pid, known, t);
  Sleep(300);
  Tidy(main, pid, known, t);
  alive = alive && IsWindow(main) && Responds(main);
  if (process) CloseHandle(process);
  printf(
      "{\"event\": \"summary\", \"actions\": %d, \"dialogs\": %d, \"menus\": %d, "
      "\"unexpected\": %d, \"unresponsive\": %d, \"alive\": %d}\n",
      t.actions, t.dialogs, t.menus, t.unexpected, t.unresponsive, alive ? 1 : 0);
  fflush(stdout);
  return alive && t.unresponsive == 0 ? 0 : 1;
}

}  // namespace driver
