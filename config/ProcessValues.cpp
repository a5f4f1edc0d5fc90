#include "config/ProcessValues.h"

namespace qev {

const char* const LauncherTitle = "\xc9\xf1\xd3\xf2" "3\xb5\xc7\xc2\xbc\xc6\xf7";  // 神域3登录器

namespace {

bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xfe; }

// End of the folder part of a GBK path: one past its last "\" or drive colon, or 0.
// A GBK character's second byte can be 0x5c, so the text is walked character by
// character and only single-byte separators count.
size_t FolderPartLength(std::string_view path) {
  size_t end = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsGbkLeadByte(c) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == ':') {
      end = i + 1;
    }
  }
  return end;
}

}  // namespace

void InitProcessValues(ProcessValues& values, std::string_view exePath) {
  std::string dir(exePath.substr(0, FolderPartLength(exePath)));
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  values.AppDir = dir;
  values.ConfigFileName = dir + LauncherId + ".inf";
  values.UpdateInfoFileName = dir + "update\\" + LauncherId + ".up";
  values.ServerList.clear();
  values.PatchList.clear();
}

}  // namespace qev
