#include "config/FileTimes.h"

namespace qev {

namespace {
constexpr SysError kErrInvalidParameter = 87;

bool ValidKind(int which) { return which >= 0 && which <= 2; }
}  // namespace

TDateTime FileTimeAsDateTime(FileSystem& fs, const std::string& path, int which) {
  uint32_t attrs = 0;
  if (!ValidKind(which) || fs.GetAttributes(path, attrs) != kErrNone || (attrs & kAttrDirectory))
    return -1.0;
  FileTimeTicks utc = 0;
  if (fs.GetFileTime(path, static_cast<FileTimeKind>(which), utc) != kErrNone) return -1.0;
  uint32_t dos = 0;
  TDateTime value = 0;
  if (!DateTimeToDos(TicksToDateTime(fs.UtcToLocal(utc)), dos) || !DosToDateTime(dos, value))
    return -1.0;
  return value;
}

SysError SetFileTimeFromDateTime(FileSystem& fs, const std::string& path, int which,
                                 TDateTime value) {
  uint32_t dos = 0;
  TDateTime packed = 0;
  if (!ValidKind(which) || !DateTimeToDos(value, dos) || !DosToDateTime(dos, packed))
    return kErrInvalidParameter;
  const FileTimeTicks local = DateTimeToTicks(packed);
  return fs.SetFileTime(path, static_cast<FileTimeKind>(which), fs.LocalToUtc(local));
}

}  // namespace qev
