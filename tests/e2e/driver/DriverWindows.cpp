#include "DriverWindows.h"

#include <commctrl.h>

#include <cstdio>

#include "DriverText.h"

namespace driver {

namespace {

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

// SendMessage across processes with a time-out; -1 when the window did not answer.
LRESULT Ask(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return -1;
  return (LRESULT)result;
}

// Rows of a list box or of a combo box's list, read with the given messages.
std::string RowsJson(HWND h, UINT countMsg, UINT lenMsg, UINT textMsg) {
  const LRESULT count = Ask(h, countMsg);
  std::string out = "[";
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT len = Ask(h, lenMsg, i);
    std::wstring text(len > 0 ? len + 1 : 1, L'\0');
    const LRESULT got = len > 0 ? Ask(h, textMsg, i, (LPARAM)text.data()) : 0;
    text.resize(got > 0 ? got : 0);
    out += (i ? ", " : "") + Json(text);
  }
  return out + "]";
}

std::string ClassDetails(HWND h) {
  const std::wstring cls = ClassOf(h);
  char buf[64];
  if (_wcsicmp(cls.c_str(), L"ListBox") == 0) {
    snprintf(buf, sizeof buf, ", \"cursel\": %ld", (long)Ask(h, LB_GETCURSEL));
    return ", \"rows\": " + RowsJson(h, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT) + buf;
  }
  if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
    snprintf(buf, sizeof buf, ", \"cursel\": %ld", (long)Ask(h, CB_GETCURSEL));
    return ", \"rows\": " + RowsJson(h, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT) + buf;
  }
  if (_wcsicmp(cls.c_str(), L"Button") == 0) {
    snprintf(buf, sizeof buf, ", \"check\": %ld", (long)Ask(h, BM_GETCHECK));
    return buf;
  }
  if (_wcsicmp(cls.c_str(), PROGRESS_CLASSW) == 0) {
    snprintf(buf, sizeof buf, ", \"pos\": %ld, \"range\": [%ld, %ld]", (long)Ask(h, PBM_GETPOS),
             (long)Ask(h, PBM_GETRANGE, TRUE), (long)Ask(h, PBM_GETRANGE, FALSE));
    return buf;
  }
  return {};
}

}  // namespace

std::vector<HWND> TopLevel() {
  std::vector<HWND> out;
  EnumWindows(Collect, (LPARAM)&out);
  return out;
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> out;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
  return out;
}

HWND ChildById(HWND parent, int id) {
  for (HWND c : DirectChildren(parent))
    if (GetDlgCtrlID(c) == id) return c;
  return nullptr;
}

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid;
}

bool IsDialog(HWND h) { return ClassOf(h) == L"#32770"; }

bool IsPopupMenu(HWND h) { return ClassOf(h) == L"#32768"; }

std::string ControlJson(HWND h) {
  RECT r = {};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  char head[256];
  snprintf(head, sizeof head,
           "{\"hwnd\": %llu, \"id\": %d, \"rect\": [%ld, %ld, %ld, %ld], \"visible\": %d, "
           "\"enabled\": %d, \"style\": %lu, ",
           (unsigned long long)(ULONG_PTR)h, GetDlgCtrlID(h), r.left, r.top, r.right - r.left,
           r.bottom - r.top, (style & WS_VISIBLE) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0,
           (unsigned long)style);
  return head + std::string("\"class\": ") + Json(ClassOf(h)) + ", \"text\": " + Json(TextOf(h)) +
         ClassDetails(h) + "}";
}

void PrintWindow(HWND h, bool withChildren) {
  RECT r = {}, c = {};
  GetWindowRect(h, &r);
  GetClientRect(h, &c);
  printf(
      "{\"hwnd\": %llu, \"class\": %s, \"title\": %s, \"visible\": %d, \"iconic\": %d, "
      "\"foreground\": %d, \"enabled\": %d, \"rect\": [%ld, %ld, %ld, %ld], "
      "\"client\": [%ld, %ld], \"style\": %lu, \"pid\": %lu, \"owner\": %llu",
      (unsigned long long)(ULONG_PTR)h, Json(ClassOf(h)).c_str(), Json(TextOf(h)).c_str(),
      IsWindowVisible(h) ? 1 : 0, IsIconic(h) ? 1 : 0, GetForegroundWindow() == h ? 1 : 0,
      IsWindowEnabled(h) ? 1 : 0, r.left, r.top, r.right, r.bottom, c.right, c.bottom,
      (unsigned long)GetWindowLongW(h, GWL_STYLE), (unsigned long)ProcessOf(h),
      (unsigned long long)(ULONG_PTR)GetWindow(h, GW_OWNER));
  if (withChildren) {
    printf(", \"children\": [");
    bool first = true;
    for (HWND child : DirectChildren(h)) {
      printf("%s%s", first ? "" : ", ", ControlJson(child).c_str());
      first = false;
    }
    printf("]");
  }
  printf("}\n");
  fflush(stdout);
}

}  // namespace driver
