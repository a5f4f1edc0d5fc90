#pragma once
// The patch run and the stop machinery it shares with the self-update: all of it runs on
// the main thread, in timer and event handlers of the main window, over the update view.

#include <string>
#include <vector>

#include "base/DateTime.h"
#include "update/UpdateLog.h"
#include "update/UpdateSettings.h"
#include "update/UpdateView.h"

namespace qev {

struct TDownloadItem {
  std::string SavePath;  // the archive in the staging folder
  std::string Url;
  std::string TargetPath;  // the installed file in the game folder
  TDateTime FileDateTime = 0;
};

using TDownloadQueue = std::vector<TDownloadItem>;

// What one patch run or self-update works with.
struct UpdateRun {
  UpdateView& view;
  const TUpdateSettings& settings;
  UpdateLog& log;
  UpdateGuard* guard = nullptr;  // none: downloads are not checked against a signed file
};

// Runs the patch run once (its timer is disabled first) and restores the controls after.
void Timer4Timer(const UpdateRun& run);

// Queues every out-of-date entry of PatchList, downloads, extracts and installs each,
// and at the end arms the self-update when the launcher is out of date.
void RunPatchUpdate(const UpdateRun& run, TDownloadQueue& queue);

// The queue of phase 1 (PatchList itself is not changed).
TDownloadQueue BuildDownloadQueue(UpdateView& view, const TUpdateSettings& settings);

// Stamps the extracted file with the listed time and moves it over the target in one
// step. True only when the target now is that file; on failure the old target is whole.
bool InstallPatchedFile(FileSystem& fs, const std::string& extracted, const TDownloadItem& item);

// The work events of the window's client: downloadTotal is the expected size the last
// work-begin announced (its low 32 bits).
void IdHTTP1WorkBegin(UpdateView& view, int32_t& downloadTotal, int64_t expected);
void IdHTTP1Work(UpdateView& view, int32_t downloadTotal, int64_t countSoFar);
void Timer5Timer(UpdateView& view);
void Button1Click(UpdateView& view, UpdateLog& log);

}  // namespace qev
