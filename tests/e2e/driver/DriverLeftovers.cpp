#include "DriverLeftovers.h"

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

#include "DriverMenu.h"
#include "DriverText.h"
#include "DriverWindows.h"

namespace driver {

namespace {

std::wstring ProgramOf(DWORD pid) {
  std::wstring path;
  if (HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
    wchar_t buf[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(p, 0, buf, &size)) path.assign(buf, size);
    CloseHandle(p);
  }
  return path;
}

// Wine's own programs (explorer, services) live in the Windows folder; ours do not.
bool IsSystemProgram(const std::wstring& program) {
  wchar_t windows[MAX_PATH];
  const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
  return program.empty() || (n && _wcsnicmp(program.c_str(), windows, n) == 0);
}

bool Kept(const std::vector<DWORD>& keep, DWORD pid) {
  for (DWORD k : keep)
    if (k == pid) return true;
  return false;
}

void Report(const char* what, DWORD pid, const std::wstring& program, HWND window) {
  printf("{\"left\": \"%s\", \"pid\": %lu, \"program\": %s, \"class\": %s, \"title\": %s}\n",
         what, (unsigned long)pid, Json(program).c_str(), Json(ClassOf(window)).c_str(),
         Json(TextOf(window)).c_str());
  fflush(stdout);
}

bool End(DWORD pid) {
  HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!p) return false;
  const bool ended = TerminateProcess(p, 1) && WaitForSingleObject(p, 5000) == WAIT_OBJECT_0;
  CloseHandle(p);
  return ended;
}

}  // namespace

int CleanDesktop(const std::vector<DWORD>& keep) {
  std::map<DWORD, HWND> toEnd;  // one window of each process, for the report
  int count = 0;
  for (HWND h : TopLevel()) {
    const DWORD pid = ProcessOf(h);
    if (pid == GetCurrentProcessId()) continue;
    const std::wstring program = ProgramOf(pid);
    if (IsSystemProgram(program)) continue;
    if (!Kept(keep, pid)) {
      // A hidden launcher (in the tray) counts as much as a shown one.
      if (!toEnd.count(pid) || IsWindowVisible(h)) toEnd[pid] = h;
    } else if (IsWindowVisible(h) && IsPopupMenu(h)) {
      Report("menu", pid, program, h);
      CloseMenu(h);
      ++count;
    } else if (IsWindowVisible(h) && IsDialog(h)) {
      Report("dialog", pid, program, h);
      PostMessageW(h, WM_CLOSE, 0, 0);
      ++count;
    }
  }
  for (const auto& [pid, window] : toEnd) {
    Report("process", pid, ProgramOf(pid), window);
    if (!End(pid)) fprintf(stderr, "could not end process %lu\n", (unsigned long)pid);
    ++count;
  }
  return count;
}

}  // namespace driver
