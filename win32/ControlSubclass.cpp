#include "win32/ControlSubclass.h"

namespace qev::win32 {

namespace {

struct Route {
  WNDPROC original;
  MessageHandler handler;  // null once the object is gone
  void* object;
};

Route* RouteOf(HWND hwnd) {
  return reinterpret_cast<Route*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

bool Outermost(HWND hwnd) {
  return GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Dispatch);
}

// Puts the control's own procedure back when nothing was put on top of ours since;
// otherwise ours stays in the chain, passing messages on, until the window ends.
void Release(HWND hwnd, Route* route, bool windowEnds) {
  if (!windowEnds && !Outermost(hwnd)) return;
  if (Outermost(hwnd))
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(route->original));
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  delete route;
}

LRESULT CALLBACK Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Route* route = RouteOf(hwnd);
  if (!route) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = route->handler ? route->handler(route->object, msg, wp, lp)
                                        : CallWindowProcW(route->original, hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) Release(hwnd, route, true);
  return result;
}

}  // namespace

bool SubclassControl(HWND hwnd, MessageHandler handler, void* object) {
  if (!hwnd || RouteOf(hwnd)) return false;
  auto* route = new Route{nullptr, handler, object};
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(route));
  route->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Dispatch)));
  return true;
}

void UnsubclassControl(HWND hwnd) {
  Route* route = hwnd && IsWindow(hwnd) ? RouteOf(hwnd) : nullptr;
  if (!route) return;
  route->handler = nullptr;
  Release(hwnd, route, false);
}

LRESULT CallControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Route* route = RouteOf(hwnd);
  return route ? CallWindowProcW(route->original, hwnd, msg, wp, lp)
               : DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qev::win32
