#pragma once
// The values fixed once at program start.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"
#include "config/LauncherConfig.h"

namespace qev {

struct TPatchInfo {
  std::string FromFile;
  std::string FileName;
  std::string FilePath;
  TDateTime FileDateTime = 0;
};

using TPatchList = std::vector<std::unique_ptr<TPatchInfo>>;

inline constexpr char LauncherId[] = "tolw3";
// The built-in title, GBK.
extern const char* const LauncherTitle;
inline constexpr char ShortDateFormat[] = "yyyy-mm-dd";
inline constexpr char LongTimeFormat[] = "hh:nn:ss";

struct ProcessValues {
  std::string AppDir;              // ends in a backslash
  std::string ConfigFileName;      // AppDir + "tolw3.inf"
  std::string UpdateInfoFileName;  // AppDir + "update\tolw3.up"
  TServerList ServerList;
  TPatchList PatchList;
};

// From the program's own path (folder part, a backslash appended unless present).
void InitProcessValues(ProcessValues& values, std::string_view exePath);

}  // namespace qev
