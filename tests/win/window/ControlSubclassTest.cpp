// Our own control subclass: messages reach the object first, the control's procedure
// does the rest, and the control gets its procedure back when the object goes, even
// under a comctl32 subclass put on top (as a tool tip does).
#include <gtest/gtest.h>

#include "tests/win/window/WindowTestKit.h"
// After <windows.h>, which the kit brings.
#include <commctrl.h>
#include "win32/ControlSubclass.h"

namespace qev::test {
namespace {

constexpr UINT kAsk = WM_APP + 1;

struct Seen {
  HWND hwnd = nullptr;
  int asks = 0;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kAsk) return ++asks + 40;
    return win32::CallControlProc(hwnd, msg, wp, lp);
  }
};

LRESULT CALLBACK OnTop(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR count) {
  if (msg == kAsk) ++*reinterpret_cast<int*>(count);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

HWND CheckBox(const WindowTestKit& kit, int id) {
  return CreateWindowExW(0, L"BUTTON", L"x", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 40, 20,
                         kit.window.Handle(), reinterpret_cast<HMENU>(INT_PTR(id)), nullptr,
                         nullptr);
}

TEST(ControlSubclass, RoutesToTheObjectFirstAndGivesTheProcedureBack) {
  WindowTestKit kit;
  HWND box = CheckBox(kit, 1301);
  const LONG_PTR own = GetWindowLongPtrW(box, GWLP_WNDPROC);
  Seen seen{box};
  ASSERT_TRUE(win32::RouteMessagesTo(box, &seen));
  EXPECT_FALSE(win32::RouteMessagesTo(box, &seen));  // one route per control
  EXPECT_EQ(SendMessageW(box, kAsk, 0, 0), 41);
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);  // left to the button itself
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  win32::UnsubclassControl(box);
  EXPECT_EQ(GetWindowLongPtrW(box, GWLP_WNDPROC), own);
  EXPECT_EQ(SendMessageW(box, kAsk, 0, 0), 0);
  EXPECT_EQ(seen.asks, 1);

  // A comctl32 subclass on top keeps working after ours lets go, and to the window's end.
  HWND other = CheckBox(kit, 1302);
  seen.hwnd = other;
  ASSERT_TRUE(win32::RouteMessagesTo(other, &seen));
  int onTop = 0;
  ASSERT_TRUE(SetWindowSubclass(other, &OnTop, 1, reinterpret_cast<DWORD_PTR>(&onTop)));
  EXPECT_EQ(SendMessageW(other, kAsk, 0, 0), 42);
  win32::UnsubclassControl(other);
  EXPECT_EQ(SendMessageW(other, kAsk, 0, 0), 0);
  EXPECT_EQ(onTop, 2);
  SendMessageW(other, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(DestroyWindow(other));
  EXPECT_TRUE(DestroyWindow(box));
}

}  // namespace
}  // namespace qev::test
