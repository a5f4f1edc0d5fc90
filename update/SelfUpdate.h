#pragma once
// The launcher's own update: download the new launcher (or an archive holding it) into
// the staging folder, check it against LongCode, start the updater and end.

#include <string>

#include "update/PatchRun.h"

namespace qev {

inline constexpr char UpdaterFileName[] = "TarnUp.exe";

// LongURL names an archive: it ends in ".zip" in any mix of case.
bool IsArchiveUrl(const std::string& url);

// The updater's parameter text: the launcher's file name as exactly one argument, quoted
// so that a name with a blank arrives whole (a file name holds no double quote).
std::string UpdaterParameters(const std::string& launcherName);

void RunSelfUpdate(const UpdateRun& run);

}  // namespace qev
