// Starts a program in its own folder and measures, inside Wine, the time from the
// process start to its first visible top-level window of the given class; then closes
// that window and waits for the program to end.
//   StartTimer EXE CLASS     prints {"ms": M.m, "exit": CODE}; exit 1 when no window came
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK Match(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  if (pid == s->pid && IsWindowVisible(h) && wcscmp(cls, s->cls) == 0) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  std::wstring exe = argv[1];
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\') + 1);
  std::wstring line = L"\"" + exe + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  LARGE_INTEGER freq, begin, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &si, &pi))
    return 1;
  Handle process(pi.hProcess), thread(pi.hThread);
  Search s{pi.dwProcessId, argv[2], nullptr};
  double ms = 0;
  while (!s.found) {
    EnumWindows(Match, (LPARAM)&s);
    QueryPerformanceCounter(&now);
    ms = 1000.0 * (double)(now.QuadPart - begin.QuadPart) / (double)freq.QuadPart;
    if (s.found || ms > 30000 || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  if (s.found) PostMessageW(s.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.get(), 3);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  printf("{\"ms\": %.1f, \"found\": %d, \"exit\": %lu}\n", ms, s.found ? 1 : 0,
         (unsigned long)code);
  fflush(stdout);
  return s.found ? 0 : 1;
}
