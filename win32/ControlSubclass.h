#pragma once
// A control's window procedure replaced by one that hands every message to an object of
// ours first. comctl32's SetWindowSubclass does the same, but it looks its data up in a window
// property on every message, which under Wine is a round trip to the server (about
// 0.1 ms a message, a hundred times a plain call). The data lives in the control's
// GWLP_USERDATA instead: one subclass of this kind per control.

#include <windows.h>

namespace qev::win32 {

// What the route calls with each message: the object it was given, and the message.
using MessageHandler = LRESULT (*)(void* object, UINT msg, WPARAM wp, LPARAM lp);

// Routes hwnd's messages to handler(object, ...) until Unsubclass or the window's end.
// False when hwnd is null or already routed.
bool SubclassControl(HWND hwnd, MessageHandler handler, void* object);

// Routes hwnd's messages to object->OnMessage(msg, wp, lp). A class with a private
// OnMessage befriends this template.
template <class T>
bool RouteMessagesTo(HWND hwnd, T* object) {
  return SubclassControl(
      hwnd,
      [](void* o, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        return static_cast<T*>(o)->OnMessage(msg, wp, lp);
      },
      object);
}

// Stops the routing (the object is going away): later messages go straight to the
// control's own procedure.
void UnsubclassControl(HWND hwnd);

// The control's own procedure, for what the object leaves to it.
LRESULT CallControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qev::win32
