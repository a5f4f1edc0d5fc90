#include "update/QeThread.h"

#include "config/Crc32.h"
#include "platform/FileOps.h"
#include "update/UpdateGuard.h"
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
  ctx_.Note("update check: started");
  RunSteps();
  if (ctx_.guard && ctx_.guard->TakeRefusalNotice())
    Synchronise([this] { steps_.ReportUpdateRefused(); });
}

void TUpIP::RunSteps() {
  if (!FetchUpdateInfo(ctx_, url_)) return;
  if (!ctx_.fs.FileExists(ctx_.values.UpdateInfoFileName)) return;
  if (!ReadUpdateSettings(ctx_)) return;
  const TUpdateSettings& s = ctx_.settings;

  if (s.CheckIni && ctx_.ConfigFileCrc != 0 && s.IniCode != CrcText(ctx_.ConfigFileCrc)) {
    ctx_.Note("zone list: own CRC " + CrcText(ctx_.ConfigFileCrc) + ", IniCode " + s.IniCode);
    auto reportBad = [this] { Synchronise([this] { steps_.ReportZoneListBad(); }); };
    if (RefreshZoneList(ctx_, reportBad)) Synchronise([this] { steps_.AskZoneListReload(); });
  }
  if (ctx_.guard && ctx_.guard->Refused()) return;
  if (s.CheckFix && ReadPatchList(ctx_) && PatchPending(ctx_)) {
    Synchronise([this] { steps_.AskPatchUpdate(); });
    return;  // the patch run chains the launcher check itself
  }
  if (LauncherOutOfDate(s, ctx_.LauncherFileCrc)) {
    ctx_.Note("launcher: own CRC " + CrcText(ctx_.LauncherFileCrc) + ", LongCode " + s.LongCode);
    Synchronise([this] { steps_.StartSelfUpdateTimer(); });
  }
}

}  // namespace qev
