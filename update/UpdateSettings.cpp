#include "update/UpdateSettings.h"

#include "config/Crc32.h"

namespace qev {

std::string StagingDir(const ProcessValues& values) { return values.AppDir + "update\\"; }

bool LauncherOutOfDate(const TUpdateSettings& settings, uint32_t launcherFileCrc) {
  return settings.CheckLong && launcherFileCrc != 0 &&
         settings.LongCode != CrcText(launcherFileCrc);
}

}  // namespace qev
