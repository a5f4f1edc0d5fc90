// The launcher program.
#include <windows.h>

#include "win32/LauncherEntry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return qev::win32::RunLauncher(instance);
}
