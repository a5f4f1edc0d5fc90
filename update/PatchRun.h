#pragma once
// The patch run and the stop machinery it shares with the self-update: all of it runs on
// the main thread, in timer and event handlers of the main window.

#include <string>
#include <vector>

#include "base/DateTime.h"
#include "launcher/TForm1.h"
#include "update/UpdateSettings.h"

namespace qev {

struct TDownloadItem {
  std::string SavePath;  // the archive in the staging folder
  std::string Url;
  std::string TargetPath;  // the installed file in the game folder
  TDateTime FileDateTime = 0;
};

using TDownloadQueue = std::vector<TDownloadItem>;

// Runs the patch run once (Timer4 is disabled first) and restores the controls after it.
void Timer4Timer(TForm1& form, const TUpdateSettings& settings);

// Queues every out-of-date entry of PatchList, downloads, extracts and installs each,
// and at the end arms the self-update when the launcher is out of date.
void RunPatchUpdate(TForm1& form, const TUpdateSettings& settings, TDownloadQueue& queue);

// The queue of phase 1 (PatchList itself is not changed).
TDownloadQueue BuildDownloadQueue(TForm1& form, const TUpdateSettings& settings);

// Stamps the extracted file with the listed time and moves it over the target in one
// step. True only when the target now is that file; on failure the old target is whole.
bool InstallPatchedFile(FileSystem& fs, const std::string& extracted, const TDownloadItem& item);

void IdHTTP1WorkBegin(TForm1& form, int64_t expected);
void IdHTTP1Work(TForm1& form, int64_t countSoFar);
void Timer5Timer(TForm1& form);
void Button1Click(TForm1& form);

}  // namespace qev
