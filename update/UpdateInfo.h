#pragma once
// The update worker's steps: fetch and read the update-info file, replace the zone list,
// read the patch list and decide whether a patch is due. Each returns false on any
// failure instead of raising.

#include <functional>
#include <string>

#include "base/DateTime.h"
#include "update/UpdateSettings.h"

namespace qev {

// Stores the text at url as UpdateInfoFileName (plus CR LF) when it carries
// UpdateFileHeader; the staging folder is created first when missing. A failed write
// leaves the previous copy whole.
bool FetchUpdateInfo(UpdateContext& ctx, const std::string& url);

// Reads section UpdateInfo into ctx.settings and switches off each check whose URL or code
// is missing. True when any check is left on.
bool ReadUpdateSettings(UpdateContext& ctx);

// Downloads IniURL into the staging folder; when its CRC text equals IniCode it replaces
// the configuration file in one step and true is returned. On a mismatch reportBad runs
// (on the main thread, through the caller), the download stays staged and the
// configuration file is untouched.
bool RefreshZoneList(UpdateContext& ctx, const std::function<void()>& reportBad);

// Appends every valid patch section (file order) to ctx.values.PatchList.
bool ReadPatchList(UpdateContext& ctx);

// Drops the up-to-date entries from the head of PatchList; true when an entry is left.
bool PatchPending(UpdateContext& ctx);

// Whole seconds (truncated) between two date-times, counted from their millisecond values
// so that a whole number of seconds never comes out one short.
int64_t WholeSecondsApart(TDateTime a, TDateTime b);

// The file at path is missing, or its last-write time is more than 30 whole seconds away
// from want.
bool PatchTargetOutOfDate(FileSystem& fs, const std::string& path, TDateTime want);

}  // namespace qev
