// The updater program: no window, no console; the result is its exit code.
#include <windows.h>

#include "win32/WinUpdaterOps.h"
#include "updater/TarnUpMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  qev::WinUpdaterOps ops;
  return qev::RunTarnUp(ops, qev::WinUpdaterOps::Arguments(), qev::WinUpdaterOps::OwnPath());
}
