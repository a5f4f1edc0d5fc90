#include "update/UpdateSettings.h"

#include "config/Func.h"

namespace qev {

std::string StagingDir(const ProcessValues& values) { return values.AppDir + "update\\"; }

bool LauncherOutOfDate(const TUpdateSettings& settings, uint32_t launcherFileCrc) {
  return settings.CheckLong && launcherFileCrc != 0 &&
         settings.LongCode != CrcText(launcherFileCrc);
}

}  // namespace qev
