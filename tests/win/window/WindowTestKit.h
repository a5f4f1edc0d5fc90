#pragma once
// A real main window with the built-in look, for tests of its children; and a helper
// that acts on a modal window (menu, dialog) while its loop runs.

#include <windows.h>

#include <functional>
#include <string>

#include "win32/BuiltInLook.h"
#include "win32/ControlKit.h"
#include "win32/FaceBackdrop.h"
#include "win32/LookFonts.h"
#include "win32/MainWindow.h"

namespace qev::test {

struct WindowTestKit {
  WindowTestKit();
  win32::BuiltInLook look{GetModuleHandleW(nullptr)};
  win32::LookFonts fonts;
  win32::FaceBackdrop backdrop;
  win32::MainWindow window;
  win32::ControlKit kit;
};

// Runs act once, from a timer of the calling thread, inside whatever modal loop the
// caller then enters (a pop-up menu, a dialog), once a visible window of className is
// there (or after a bounded wait, so a missing window fails the test instead of hanging).
void ActInsideModalLoop(const wchar_t* className, std::function<void()> act);

// The visible top-level window of this thread with the class name, or null.
HWND FindThreadWindow(const wchar_t* className);

// UTF-8 of a wide text, for readable assertions.
std::string Utf8(const std::wstring& wide);
std::wstring WideText(HWND hwnd);

// Sends a left click (press and release) at a client point, as a player's click does.
void ClickAt(HWND hwnd, int x, int y);

}  // namespace qev::test
