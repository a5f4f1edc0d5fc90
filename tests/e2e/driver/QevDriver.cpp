// Drives windows of other processes for the end-to-end tests. One command per run;
// results are printed as UTF-8 JSON, one object per line.
//
//   list [CLASS]                 every top-level window (of that class)
//   wait CLASS MS                the first visible window of CLASS; exit 1 on time-out
//   wait-dialog MS               the first visible message box, with its texts
//   gone HWND MS                 exit 0 once the window no longer exists, 1 on time-out
//   info HWND                    one window
//   click-first-button HWND      BM_CLICK on the first button of a dialog
//   send HWND MSG WPARAM LPARAM  SendMessage; prints the result
//   minimize HWND | close HWND   posts the system command / WM_CLOSE
//   hold-window CLASS TITLEHEX MS  shows a window of CLASS with the caption given as the
//                                hex of its UTF-8 bytes, for MS milliseconds
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), out.data(), n);
  return out;
}

std::string FromHex(const char* hex) {
  std::string out;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
    char pair[3] = {hex[i], hex[i + 1], 0};
    out += static_cast<char>(strtoul(pair, nullptr, 16));
  }
  return out;
}

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::wstring TextOf(HWND h) {
  wchar_t buf[4096] = {};
  DWORD_PTR got = 0;
  // WM_GETTEXT works across processes; a time-out keeps a hung window from hanging us.
  SendMessageTimeoutW(h, WM_GETTEXT, std::size(buf), (LPARAM)buf, SMTO_ABORTIFHUNG, 2000, &got);
  return buf;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, std::size(buf));
  return buf;
}

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, Collect, (LPARAM)&out);
  return out;
}

std::vector<HWND> TopLevel() {
  std::vector<HWND> out;
  EnumWindows(Collect, (LPARAM)&out);
  return out;
}

void PrintWindow(HWND h, bool withChildren) {
  RECT r = {}, c = {};
  GetWindowRect(h, &r);
  GetClientRect(h, &c);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  printf("{\"hwnd\": %lu, \"class\": %s, \"title\": %s, \"visible\": %d, \"iconic\": %d, "
         "\"foreground\": %d, \"rect\": [%ld, %ld, %ld, %ld], \"client\": [%ld, %ld], "
         "\"style\": %lu, \"pid\": %lu",
         (unsigned long)(ULONG_PTR)h, Json(Utf8(ClassOf(h))).c_str(), Json(Utf8(TextOf(h))).c_str(),
         IsWindowVisible(h) ? 1 : 0, IsIconic(h) ? 1 : 0, GetForegroundWindow() == h ? 1 : 0,
         r.left, r.top, r.right, r.bottom, c.right, c.bottom,
         (unsigned long)GetWindowLongW(h, GWL_STYLE), (unsigned long)pid);
  if (withChildren) {
    printf(", \"children\": [");
    bool first = true;
    for (HWND child : Children(h)) {
      printf("%s{\"class\": %s, \"text\": %s, \"id\": %d}", first ? "" : ", ",
             Json(Utf8(ClassOf(child))).c_str(), Json(Utf8(TextOf(child))).c_str(),
             GetDlgCtrlID(child));
      first = false;
    }
    printf("]");
  }
  printf("}\n");
  fflush(stdout);
}

HWND ParseHwnd(const char* s) { return (HWND)(ULONG_PTR)strtoul(s, nullptr, 0); }

bool IsDialog(HWND h) { return ClassOf(h) == L"#32770"; }

template <class Pred>
HWND WaitFor(Pred pred, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND h : TopLevel())
      if (IsWindowVisible(h) && pred(h)) return h;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(25);
  }
}

int List(int argc, char** argv) {
  const std::wstring cls = argc > 2 ? Wide(argv[2]) : L"";
  for (HWND h : TopLevel())
    if (cls.empty() || ClassOf(h) == cls) PrintWindow(h, false);
  return 0;
}

int Wait(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::wstring cls = Wide(argv[2]);
  HWND h = WaitFor([&](HWND w) { return ClassOf(w) == cls; }, strtoul(argv[3], nullptr, 0));
  if (!h) return 1;
  PrintWindow(h, false);
  return 0;
}

int WaitDialog(int argc, char** argv) {
  if (argc < 3) return 2;
  HWND h = WaitFor(IsDialog, strtoul(argv[2], nullptr, 0));
  if (!h) return 1;
  PrintWindow(h, true);
  return 0;
}

int Gone(int argc, char** argv) {
  if (argc < 4) return 2;
  HWND h = ParseHwnd(argv[2]);
  const DWORD start = GetTickCount();
  while (IsWindow(h)) {
    if (GetTickCount() - start >= strtoul(argv[3], nullptr, 0)) return 1;
    Sleep(25);
  }
  return 0;
}

int ClickFirstButton(int argc, char** argv) {
  if (argc < 3) return 2;
  for (HWND child : Children(ParseHwnd(argv[2]))) {
    if (ClassOf(child) == L"Button") {
      // Posted, not sent: the click ends a modal loop in the other process.
      PostMessageW(child, BM_CLICK, 0, 0);
      return 0;
    }
  }
  return 1;
}

int Send(int argc, char** argv) {
  if (argc < 6) return 2;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(ParseHwnd(argv[2]), strtoul(argv[3], nullptr, 0),
                           strtoul(argv[4], nullptr, 0), strtol(argv[5], nullptr, 0),
                           SMTO_ABORTIFHUNG, 5000, &result))
    return 1;
  printf("{\"result\": %lu}\n", (unsigned long)result);
  fflush(stdout);
  return 0;
}

int HoldWindow(int argc, char** argv) {
  if (argc < 5) return 2;
  const std::wstring cls = Wide(argv[2]);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls.c_str();
  RegisterClassW(&wc);
  HWND h = CreateWindowExW(0, cls.c_str(), Wide(FromHex(argv[3])).c_str(), WS_OVERLAPPEDWINDOW,
                           10, 10, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
  if (!h) return 1;
  ShowWindow(h, SW_SHOW);
  PrintWindow(h, false);
  const DWORD start = GetTickCount();
  const DWORD ms = strtoul(argv[4], nullptr, 0);
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  DestroyWindow(h);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cmd = argv[1];
  if (cmd == "list") return List(argc, argv);
  if (cmd == "wait") return Wait(argc, argv);
  if (cmd == "wait-dialog") return WaitDialog(argc, argv);
  if (cmd == "gone") return Gone(argc, argv);
  if (cmd == "info" && argc > 2) {
    HWND h = ParseHwnd(argv[2]);
    if (!IsWindow(h)) return 1;
    PrintWindow(h, true);
    return 0;
  }
  if (cmd == "click-first-button") return ClickFirstButton(argc, argv);
  if (cmd == "send") return Send(argc, argv);
  if (cmd == "minimize" && argc > 2)
    return PostMessageW(ParseHwnd(argv[2]), WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
  if (cmd == "close" && argc > 2) return PostMessageW(ParseHwnd(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
  if (cmd == "hold-window") return HoldWindow(argc, argv);
  return 2;
}
