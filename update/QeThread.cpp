#include "update/QeThread.h"

#include "config/Func.h"
#include "platform/FileOps.h"
#include "update/UpdateInfo.h"

namespace qev {

TExistFile::TExistFile(ThreadHost& host, FileSystem& fs, std::string appDir)
    : TThread(host), fs_(fs), appDir_(std::move(appDir)) {}

void TExistFile::Execute() {
  const std::string dir = appDir_ + "Update\\";
  if (!fs_.DirExists(dir)) CreateDirPath(fs_, dir);
}

TUpIP::TUpIP(ThreadHost& host, UpdateContext ctx, UpdateMainSteps& steps, std::string url)
    : TThread(host), ctx_(ctx), steps_(steps), url_(std::move(url)) {}

void TUpIP::Execute() {
  if (!FetchUpdateInfo(ctx_, url_)) return;
  if (!ctx_.fs.FileExists(ctx_.values.UpdateInfoFileName)) return;
  if (!ReadUpdateSettings(ctx_)) return;
  const TUpdateSettings& s = ctx_.settings;

  if (s.CheckIni && ctx_.ConfigFileCrc != 0 && s.IniCode != CrcText(ctx_.ConfigFileCrc)) {
    auto reportBad = [this] { Synchronise([this] { steps_.ReportZoneListBad(); }); };
    if (RefreshZoneList(ctx_, reportBad)) Synchronise([this] { steps_.AskZoneListReload(); });
  }
  if (s.CheckFix && ReadPatchList(ctx_) && PatchPending(ctx_)) {
    Synchronise([this] { steps_.AskPatchUpdate(); });
    return;  // the patch run chains the launcher check itself
  }
  if (LauncherOutOfDate(s, ctx_.LauncherFileCrc))
    Synchronise([this] { steps_.StartSelfUpdateTimer(); });
}

}  // namespace qev
