#pragma once
// A control's window procedure replaced by one that hands every message to an object of
// ours first, the object's procedure having the shape of a comctl32 subclass procedure.
// comctl32's SetWindowSubclass does the same, but it looks its data up in a window
// property on every message, which under Wine is a round trip to the server (about
// 0.1 ms a message, a hundred times a plain call). The data lives in the control's
// GWLP_USERDATA instead: one subclass of this kind per control.

#include <windows.h>
// After windows.h, which sets the version commctrl.h declares for.
#include <commctrl.h>

namespace qev::win32 {

// Routes hwnd's messages to proc(hwnd, msg, wp, lp, 0, self) until Unsubclass or the
// window's end. False when hwnd is null or already routed.
bool SubclassControl(HWND hwnd, SUBCLASSPROC proc, DWORD_PTR self);

// Stops the routing (the object is going away): later messages go straight to the
// control's own procedure.
void UnsubclassControl(HWND hwnd);

// The control's own procedure, for what the object leaves to it.
LRESULT CallControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace qev::win32
