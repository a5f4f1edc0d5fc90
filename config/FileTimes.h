#pragma once
// A file's time stamps as local date-time values.

#include <string>

#include "base/DateTime.h"
#include "platform/FileSystem.h"

namespace qev {

// Local date-time of a file's stamp at two-second resolution; -1.0 when missing,
// a folder, or not convertible.
TDateTime FileTimeAsDateTime(FileSystem& fs, const std::string& path, int which);
// 0 or the system error code.
SysError SetFileTimeFromDateTime(FileSystem& fs, const std::string& path, int which,
                                 TDateTime value);

}  // namespace qev
