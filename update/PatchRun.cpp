#include "update/PatchRun.h"

#include <cstdio>
#include <exception>

#include "config/Crc32.h"
#include "config/FileTimes.h"
#include "config/TextHelpers.h"
#include "platform/FileOps.h"
#include "update/RefusalNotice.h"
#include "update/UpdateInfo.h"
#include "update/UpdateTexts.h"

namespace qev {

void Timer4Timer(const UpdateRun& run) {
  TDownloadQueue queue;
  run.view.SetTimerEnabled(UpdateTimer::PatchRun, false);
  run.view.SetProgressRange(0, 0);
  try {
    RunPatchUpdate(run, queue);
  } catch (const std::exception& e) {
    run.log.Write(std::string("patch run: ended by an error: ") + e.what());
  }
  run.view.ShowUpdateControls(false);
}

TDownloadQueue BuildDownloadQueue(UpdateView& view, const TUpdateSettings& settings) {
  TDownloadQueue queue;
  FileSystem& fs = view.Files();
  ProcessValues& values = view.State();
  const std::string& appDir = values.AppDir;
  const std::string dir = WithoutTrailingSeparator(appDir);
  const size_t count = values.PatchList.size();
  for (size_t i = 0; i < count && i < values.PatchList.size(); ++i) {
    const TPatchInfo& e = *values.PatchList[i];
    const std::string target = dir + e.FilePath + e.FileName;
    view.ProcessMessages();
    try {
      if (!PatchTargetOutOfDate(fs, target, e.FileDateTime)) continue;
      queue.push_back({appDir + "update\\" + e.FromFile,
                       StrReplaceAll(settings.DefURL + e.FilePath + e.FromFile, "\\", "/"), target,
                       e.FileDateTime});
    } catch (const std::exception&) {
      // A target whose time cannot be read is left as it is, not patched blindly.
    }
  }
  return queue;
}

bool InstallPatchedFile(FileSystem& fs, const std::string& extracted, const TDownloadItem& item) {
  if (SetFileTimeFromDateTime(fs, extracted, 2, item.FileDateTime) != kErrNone) return false;
  if (CreateDirPath(fs, DirPart(item.TargetPath)) != kErrNone) return false;
  // Copied beside the target first, so the final move is one step on one volume.
  const std::string temp = TempNameBeside(fs, item.TargetPath);
  if (fs.Copy(extracted, temp, true) != kErrNone) {
    if (fs.FileExists(temp)) fs.Delete(temp);
    return false;
  }
  if (SetFileTimeFromDateTime(fs, temp, 2, item.FileDateTime) != kErrNone) {
    fs.Delete(temp);
    return false;
  }
  return ReplaceWithFile(fs, temp, item.TargetPath) == kErrNone;
}

namespace {

enum class ItemOutcome { Next, Stop };

std::string WithoutLastExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void ExtractAndInstall(const UpdateRun& run, const TDownloadItem& item) {
  UpdateView& view = run.view;
  FileSystem& fs = view.Files();
  const std::string staging = view.State().AppDir + "update";
  view.SetStatusText(texts::kExtracting);
  const std::string extracted = staging + "\\" + WithoutLastExtension(NamePart(item.SavePath));
  view.SetProgressRange(0, 100);
  if (!view.ExtractZipTo(item.SavePath, staging)) {
    run.log.Write("patch: extraction failed: " + item.SavePath);
    return;
  }
  if (!fs.FileExists(extracted)) {
    run.log.Write("patch: the archive holds no " + NamePart(extracted) + ": " + item.SavePath);
    return;
  }
  bool installed = InstallPatchedFile(fs, extracted, item);
  view.DeleteFileIfExists(item.SavePath);
  view.DeleteFileIfExists(extracted);
  if (installed) {
    view.SetStatusText(texts::kPatchInstalled);
    run.log.Write("patch: replaced " + item.TargetPath);
  } else {
    run.log.Write("patch: could not replace " + item.TargetPath + "; the old file stays");
  }
}

ItemOutcome FetchItem(const UpdateRun& run, const TDownloadItem& item) {
  UpdateView& view = run.view;
  FileSystem& fs = view.Files();
  view.ProcessMessages();
  if (view.IsUpdateStopped()) return ItemOutcome::Stop;
  view.SetStatusText(texts::kConnecting);
  CreateDirPath(fs, DirPart(item.TargetPath));
  if (view.IsUpdateStopped()) return ItemOutcome::Stop;
  std::string error;
  view.DeleteFileIfExists(item.SavePath);
  CreateDirPath(fs, DirPart(item.SavePath));
  run.log.Write("patch: GET " + item.Url);
  if (!view.DownloadToFile(item.Url, item.SavePath, error)) {
    run.log.Write("patch: download failed: " + item.Url + ": " + error);
    if (error.find(kHttpTimedOutMark) == std::string::npos) return ItemOutcome::Next;
    view.ShowMessage(2, texts::kTimedOut);
    view.SetUpdateStopped(true);
    return ItemOutcome::Stop;
  }
  if (view.IsUpdateStopped()) {
    view.SetStatusText(texts::kStopped);
    run.log.Write("patch: stopped by the player after " + item.Url);
    return ItemOutcome::Next;
  }
  if (run.guard && !run.guard->AcceptPatchArchive(item.TargetPath, item.SavePath)) {
    view.DeleteFileIfExists(item.SavePath);
    StopRefusedUpdate(view, *run.guard);
    return ItemOutcome::Stop;
  }
  ExtractAndInstall(run, item);
  return ItemOutcome::Next;
}

}  // namespace

void RunPatchUpdate(const UpdateRun& run, TDownloadQueue& queue) {
  queue = BuildDownloadQueue(run.view, run.settings);
  run.log.Write("patch run: " + std::to_string(queue.size()) + " files out of date");
  if (queue.empty()) return;
  for (const TDownloadItem& item : queue)
    if (FetchItem(run, item) == ItemOutcome::Stop) {
      run.log.Write("patch run: stopped");
      return;
    }
  if (LauncherOutOfDate(run.settings, run.view.LauncherCrc())) {
    run.log.Write("patch run: done; launcher " + CrcText(run.view.LauncherCrc()) +
                  " differs from LongCode " + run.settings.LongCode);
    run.view.SetTimerEnabled(UpdateTimer::SelfUpdate, true);
  } else {
    run.log.Write("patch run: done");
    run.view.SetUpdateStopped(true);
  }
}

void IdHTTP1WorkBegin(UpdateView& view, int32_t& downloadTotal, int64_t expected) {
  const int32_t low = static_cast<int32_t>(static_cast<uint32_t>(expected));
  view.SetProgressRange(0, low);
  view.SetProgressPosition(0);
  downloadTotal = low;
}

void IdHTTP1Work(UpdateView& view, int32_t downloadTotal, int64_t countSoFar) {
  if (view.IsUpdateStopped()) view.DisconnectTransfer();
  view.ProcessMessages();
  char numbers[48];
  std::snprintf(numbers, sizeof numbers, "%lld/%d", static_cast<long long>(countSoFar),
                static_cast<int>(downloadTotal));
  view.SetStatusText(std::string(texts::kProgressPrefix) + numbers);
  view.SetProgressPosition(static_cast<int32_t>(static_cast<uint32_t>(countSoFar)));
}

void Timer5Timer(UpdateView& view) {
  if (!view.IsUpdateStopped()) return;
  view.SetTimerEnabled(UpdateTimer::StopWatch, false);
  view.DisconnectTransfer();
}

void Button1Click(UpdateView& view, UpdateLog& log) {
  if (!view.AskYesNo(texts::kStopCaption, texts::kStopText)) return;
  log.Write("update: the player pressed stop");
  view.SetUpdateStopped(true);
  view.ShowUpdateControls(false);
}

}  // namespace qev
