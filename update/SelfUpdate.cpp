#include "update/SelfUpdate.h"

#include "config/Func.h"
#include "platform/FileOps.h"
#include "update/UpdateTexts.h"

namespace qev {

bool IsArchiveUrl(const std::string& url) {
  return url.size() >= 4 && UpperCaseTbl(url.substr(url.size() - 4)) == ".ZIP";
}

namespace {

void Fail(TForm1& form, const std::string& reason) {
  form.ShowMsg(2, texts::kSelfUpdateFailed + reason);
  form.UpdateStopped = true;
}

// The staged executable is the one LongCode names; anything else (an error page, an
// archive stored under the executable's name, a stale copy) must not reach the updater.
bool StagedLauncherMatches(FileSystem& fs, const std::string& path, const std::string& longCode) {
  if (!fs.FileExists(path)) return false;
  FileCrcResult crc = FileCrc32(fs, path);
  return crc.Error == 0 && CrcText(crc.Crc) == longCode;
}

}  // namespace

void RunSelfUpdate(TForm1& form, const TUpdateSettings& settings) {
  FileSystem& fs = form.Services().Fs;
  Application& app = form.Services().App;
  form.ProcessMessages();
  const bool archive = IsArchiveUrl(settings.LongURL);
  const std::string name = NamePart(app.ExeName());
  const std::string staged = form.Values.AppDir + "update\\" + name;
  const std::string download = archive ? staged + ".zip" : staged;
  if (form.UpdateStopped) return;

  std::string error;
  CreateDirPath(fs, DirPart(staged));
  if (!form.DownloadToFile(settings.LongURL, download, error)) {
    if (!form.UpdateStopped) Fail(form, error);
    form.UpdateStopped = true;
    return;
  }
  if (form.UpdateStopped) return;

  form.ProcessMessages();
  form.ZT.SetText(texts::kSelfUpdateUnpacking);
  form.DelayPump(200);
  if (archive) {
    // A copy left by an earlier run must not stand in for the archive's member.
    form.DeleteFileIfExists(staged);
    form.ExtractZipTo(download, form.Values.AppDir + "update\\");
  }
  if (!StagedLauncherMatches(fs, staged, settings.LongCode)) {
    form.DeleteFileIfExists(staged);
    Fail(form, texts::kLauncherCheckFailed);
    return;
  }
  form.ShowMsg(4, texts::kSelfUpdateDone);
  form.Services().ShellOpen.Open(form.Values.AppDir + UpdaterFileName, name, form.Values.AppDir);
  app.Terminate();
}

}  // namespace qev
