#pragma once
// The launcher's own update: download the new launcher (or an archive holding it) into
// the staging folder, check it against LongCode, start the updater and end.

#include <string>

#include "launcher/TForm1.h"
#include "update/UpdateSettings.h"

namespace qev {

inline constexpr char UpdaterFileName[] = "TarnUp.exe";

// LongURL names an archive: it ends in ".zip" in any mix of case.
bool IsArchiveUrl(const std::string& url);

void RunSelfUpdate(TForm1& form, const TUpdateSettings& settings);

}  // namespace qev
