#include <cstdio>

#include "DriverText.h"
#include "MenuProbe.h"

namespace driver {

std::string DescribeMenu(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  std::string out = "{\"count\": " + std::to_string(count) + ", \"items\": [";
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    RECT r = {};
    GetMenuItemRect(nullptr, menu, i, &r);
    char buf[256];
    snprintf(buf, sizeof buf,
             "%s{\"id\": %d, \"state\": %u, \"enabled\": %d, \"separator\": %d, "
             "\"rect\": [%ld, %ld, %ld, %ld], \"text\": ",
             i ? ", " : "", (int)GetMenuItemID(menu, i), state,
             (state & (MF_GRAYED | MF_DISABLED)) ? 0 : 1, (state & MF_SEPARATOR) ? 1 : 0, r.left,
             r.top, r.right, r.bottom);
    out += buf + Json(std::wstring(text)) + "}";
  }
  return out + "]}";
}

}  // namespace driver
