#include "tests/win/window/WindowTestKit.h"

#include <utility>

namespace qev::test {

namespace {
std::function<void()> g_act;
const wchar_t* g_waitFor = nullptr;
int g_triesLeft = 0;
constexpr UINT kActDelayMs = 50;
constexpr int kTries = 100;

// The modal window may not be on screen at the first tick: wait for it a bounded
// number of ticks, then act (the act reports a missing window itself).
void CALLBACK RunAct(HWND, UINT, UINT_PTR id, DWORD) {
  if (g_waitFor && !FindThreadWindow(g_waitFor) && --g_triesLeft > 0) return;
  KillTimer(nullptr, id);
  auto act = std::move(g_act);
  g_act = nullptr;
  if (act) act();
}

struct Search {
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (IsWindowVisible(hwnd) && std::wstring(name) == s->cls) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

WindowTestKit::WindowTestKit() {
  backdrop.Compose(look, fonts,
                   "\xc9\xf1\xd3\xf2"
                   "3");  // 神域3
  window.Create(GetModuleHandleW(nullptr), "qevwindowtest", "test", backdrop, look.ProgramIcon(32));
  window.Show();
  kit = win32::ControlKit{window.Handle(), &backdrop, &look, &fonts};
}

void ActInsideModalLoop(const wchar_t* className, std::function<void()> act) {
  g_act = std::move(act);
  g_waitFor = className;
  g_triesLeft = kTries;
  SetTimer(nullptr, 0, kActDelayMs, &RunAct);
}

HWND FindThreadWindow(const wchar_t* className) {
  Search s{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &Match, reinterpret_cast<LPARAM>(&s));
  if (!s.found) EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring WideText(HWND hwnd) {
  wchar_t buf[512] = {};
  GetWindowTextW(hwnd, buf, 512);
  return buf;
}

void ClickAt(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace qev::test
