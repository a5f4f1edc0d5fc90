#include "update/PatchRun.h"

#include <cstdio>
#include <exception>

#include "config/Func.h"
#include "platform/FileOps.h"
#include "update/MainThreadSteps.h"
#include "update/UpdateInfo.h"
#include "update/UpdateTexts.h"

namespace qev {

void Timer4Timer(TForm1& form, const TUpdateSettings& settings) {
  TDownloadQueue queue;
  form.Timer4.SetEnabled(false);
  form.ProgressBarCount.SetMax(0);
  form.ProgressBarCount.SetMin(0);
  try {
    RunPatchUpdate(form, settings, queue);
  } catch (const std::exception&) {
  }
  ShowUpdateControls(form, false);
}

TDownloadQueue BuildDownloadQueue(TForm1& form, const TUpdateSettings& settings) {
  TDownloadQueue queue;
  FileSystem& fs = form.Services().Fs;
  const std::string& appDir = form.Values.AppDir;
  const std::string dir = WithoutTrailingSeparator(appDir);
  const size_t count = form.Values.PatchList.size();
  for (size_t i = 0; i < count && i < form.Values.PatchList.size(); ++i) {
    const TPatchInfo& e = *form.Values.PatchList[i];
    const std::string target = dir + e.FilePath + e.FileName;
    form.ProcessMessages();
    try {
      if (!PatchTargetOutOfDate(fs, target, e.FileDateTime)) continue;
      queue.push_back({appDir + "update\\" + e.FromFile,
                       StrReplaceAll(settings.DefURL + e.FilePath + e.FromFile, "\\", "/"), target,
                       e.FileDateTime});
    } catch (const std::exception&) {
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

void ExtractAndInstall(TForm1& form, const TDownloadItem& item) {
  FileSystem& fs = form.Services().Fs;
  const std::string staging = form.Values.AppDir + "update";
  form.ZT.SetText(texts::kExtracting);
  const std::string extracted = staging + "\\" + WithoutLastExtension(NamePart(item.SavePath));
  form.ProgressBarCount.SetMin(0);
  form.ProgressBarCount.SetMax(100);
  if (!form.ExtractZipTo(item.SavePath, staging) || !fs.FileExists(extracted)) return;
  bool installed = InstallPatchedFile(fs, extracted, item);
  form.DeleteFileIfExists(item.SavePath);
  form.DeleteFileIfExists(extracted);
  if (installed) form.ZT.SetText(texts::kPatchInstalled);
}

ItemOutcome FetchItem(TForm1& form, const TDownloadItem& item) {
  FileSystem& fs = form.Services().Fs;
  form.ProcessMessages();
  if (form.UpdateStopped) return ItemOutcome::Stop;
  form.ZT.SetText(texts::kConnecting);
  CreateDirPath(fs, DirPart(item.TargetPath));
  if (form.UpdateStopped) return ItemOutcome::Stop;
  std::string error;
  form.DeleteFileIfExists(item.SavePath);
  CreateDirPath(fs, DirPart(item.SavePath));
  if (!form.DownloadToFile(item.Url, item.SavePath, error)) {
    if (error.find(kHttpTimedOutMark) == std::string::npos) return ItemOutcome::Next;
    form.ShowMsg(2, texts::kTimedOut);
    form.UpdateStopped = true;
    return ItemOutcome::Stop;
  }
  if (form.UpdateStopped) {
    form.ZT.SetText(texts::kStopped);
    return ItemOutcome::Next;
  }
  ExtractAndInstall(form, item);
  return ItemOutcome::Next;
}

}  // namespace

void RunPatchUpdate(TForm1& form, const TUpdateSettings& settings, TDownloadQueue& queue) {
  queue = BuildDownloadQueue(form, settings);
  if (queue.empty()) return;
  for (const TDownloadItem& item : queue)
    if (FetchItem(form, item) == ItemOutcome::Stop) return;
  if (LauncherOutOfDate(settings, form.LauncherFileCrc))
    form.Timer1.SetEnabled(true);
  else
    form.UpdateStopped = true;
}

void IdHTTP1WorkBegin(TForm1& form, int64_t expected) {
  const int32_t low = static_cast<int32_t>(static_cast<uint32_t>(expected));
  form.ProgressBarCount.SetMin(0);
  form.ProgressBarCount.SetPosition(0);
  form.ProgressBarCount.SetMax(low);
  form.DownloadTotal = low;
}

void IdHTTP1Work(TForm1& form, int64_t countSoFar) {
  if (form.UpdateStopped) form.IdHTTP1.Disconnect();
  form.ProcessMessages();
  char numbers[48];
  std::snprintf(numbers, sizeof numbers, "%lld/%d", static_cast<long long>(countSoFar),
                static_cast<int>(form.DownloadTotal));
  form.ZT.SetText(std::string(texts::kProgressPrefix) + numbers);
  form.ProgressBarCount.SetPosition(static_cast<int32_t>(static_cast<uint32_t>(countSoFar)));
}

void Timer5Timer(TForm1& form) {
  if (!form.UpdateStopped) return;
  form.Timer5.SetEnabled(false);
  form.IdHTTP1.Disconnect();
}

void Button1Click(TForm1& form) {
  form.suiMessageDialog1.SetCaption(texts::kStopCaption);
  form.suiMessageDialog1.SetText(texts::kStopText);
  if (form.suiMessageDialog1.ShowModal() != TMessageDialog::kYes) return;
  form.UpdateStopped = true;
  ShowUpdateControls(form, false);
}

}  // namespace qev
