#include "update/SelfUpdate.h"

#include "config/Crc32.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"
#include "update/RefusalNotice.h"
#include "update/UpdateTexts.h"

namespace qev {

bool IsArchiveUrl(const std::string& url) {
  return url.size() >= 4 && UpperCaseTbl(url.substr(url.size() - 4)) == ".ZIP";
}

std::string UpdaterParameters(const std::string& launcherName) {
  return "\"" + launcherName + "\"";
}

namespace {

void Fail(const UpdateRun& run, const std::string& reason) {
  run.log.Write("self-update: failed: " + reason);
  run.view.ShowMessage(2, texts::kSelfUpdateFailed + reason);
  run.view.SetUpdateStopped(true);
}

// The staged executable is the one LongCode names; anything else (an error page, an
// archive stored under the executable's name, a stale copy) must not reach the updater.
bool StagedLauncherMatches(const UpdateRun& run, const std::string& path) {
  FileSystem& fs = run.view.Files();
  if (!fs.FileExists(path)) {
    run.log.Write("self-update: no staged launcher at " + path);
    return false;
  }
  FileCrcResult crc = FileCrc32(fs, path);
  const std::string got = crc.Error == 0 ? CrcText(crc.Crc) : std::string("(unreadable)");
  run.log.Write("self-update: staged launcher CRC " + got + ", LongCode " + run.settings.LongCode);
  return crc.Error == 0 && got == run.settings.LongCode;
}

}  // namespace

void RunSelfUpdate(const UpdateRun& run) {
  UpdateView& view = run.view;
  const TUpdateSettings& settings = run.settings;
  FileSystem& fs = view.Files();
  const std::string& appDir = view.State().AppDir;
  view.ProcessMessages();
  const bool archive = IsArchiveUrl(settings.LongURL);
  const std::string name = NamePart(view.LauncherPath());
  const std::string staged = appDir + "update\\" + name;
  const std::string download = archive ? staged + ".zip" : staged;
  if (view.IsUpdateStopped()) return;

  std::string error;
  CreateDirPath(fs, DirPart(staged));
  run.log.Write("self-update: GET " + settings.LongURL + " into " + download);
  if (!view.DownloadToFile(settings.LongURL, download, error)) {
    if (!view.IsUpdateStopped())
      Fail(run, error);
    else
      run.log.Write("self-update: stopped by the player");
    view.SetUpdateStopped(true);
    return;
  }
  if (view.IsUpdateStopped()) {
    run.log.Write("self-update: stopped by the player");
    return;
  }
  if (run.guard && !run.guard->AcceptLauncher(download)) {
    view.DeleteFileIfExists(download);
    StopRefusedUpdate(view, *run.guard);
    return;
  }

  view.ProcessMessages();
  view.SetStatusText(texts::kSelfUpdateUnpacking);
  view.DelayPump(200);
  if (archive) {
    // A copy left by an earlier run must not stand in for the archive's member.
    view.DeleteFileIfExists(staged);
    view.ExtractZipTo(download, appDir + "update\\");
  }
  if (!StagedLauncherMatches(run, staged)) {
    view.DeleteFileIfExists(staged);
    Fail(run, texts::kLauncherCheckFailed);
    return;
  }
  view.ShowMessage(4, texts::kSelfUpdateDone);
  const std::string parameters = UpdaterParameters(name);
  run.log.Write("self-update: starting " + appDir + UpdaterFileName + " " + parameters +
                " to replace " + appDir + name);
  view.StartProgramAndEnd(appDir + UpdaterFileName, parameters, appDir);
}

}  // namespace qev
