#include "update/UpdateInfo.h"

#include <cmath>
#include <exception>

#include "config/Crc32.h"
#include "config/FastIniFile.h"
#include "config/FileTimes.h"
#include "config/UpperCase.h"
#include "platform/FileOps.h"
#include "update/HttpFetch.h"
#include "update/UpdateGuard.h"

namespace qev {

bool FetchUpdateInfo(UpdateContext& ctx, const std::string& url) {
  try {
    std::string text;
    HttpResult got = WorkerGetText(ctx.http, url, text);
    if (!got.ok) {
      ctx.Note("update info: GET " + url + " failed: " + got.error);
      return false;
    }
    if (text.find(UpdateFileHeader) == std::string::npos) {
      ctx.Note("update info: GET " + url + " gave HTTP " + std::to_string(got.status) +
               " but no update-info header; ignored");
      return false;
    }
    ctx.Note("update info: GET " + url + " gave HTTP " + std::to_string(got.status) + ", " +
             std::to_string(text.size()) + " bytes");
    const std::string& target = ctx.values.UpdateInfoFileName;
    if (ctx.guard && !ctx.guard->AcceptUpdateText(text, target + ".check")) return false;
    // The folder worker may not have run yet; nothing waits for it.
    if (CreateDirPath(ctx.fs, DirPart(target)) != kErrNone) return false;
    return WriteFileReplacing(ctx.fs, target, text + "\r\n") == kErrNone;
  } catch (const std::exception&) {
    return false;
  }
}

namespace {

void ReadSettingsFrom(TFastIniFile& ini, TUpdateSettings& s) {
  const std::string sec = UpdateInfoSection;
  s.CheckLong = ini.ReadBool(sec, "CheckLong", false);
  s.LongURL = ini.ReadString(sec, "LongURL", "");
  s.LongCode = ini.ReadString(sec, "LongCode", "");
  s.CheckIni = ini.ReadBool(sec, "CheckIni", false);
  s.IniURL = ini.ReadString(sec, "IniURL", "");
  s.IniCode = ini.ReadString(sec, "IniCode", "");
  s.CheckFix = ini.ReadBool(sec, "CheckFix", false);
  s.DefURL = ini.ReadString(sec, "DefURL", "");
  s.EnableCue = ini.ReadBool(sec, "EnableCue", false);
  s.DLLURL = ini.ReadString(sec, "DLLURL", "");
  s.DLLCode = ini.ReadString(sec, "DLLCode", "");
}

}  // namespace

bool ReadUpdateSettings(UpdateContext& ctx) {
  TUpdateSettings& s = ctx.settings;
  try {
    TFastIniFile ini(ctx.fs, ctx.values.UpdateInfoFileName);
    ReadSettingsFrom(ini, s);
  } catch (const std::exception&) {
    return false;
  }
  s.CheckLong = s.CheckLong && !s.LongURL.empty() && !s.LongCode.empty();
  s.CheckIni = s.CheckIni && !s.IniURL.empty() && !s.IniCode.empty();
  s.CheckFix = s.CheckFix && !s.DefURL.empty();
  return s.CheckLong || s.CheckIni || s.CheckFix;
}

namespace {

void DeleteIfExists(FileSystem& fs, const std::string& path) {
  if (fs.FileExists(path)) fs.Delete(path);
}

}  // namespace

bool RefreshZoneList(UpdateContext& ctx, const std::function<void()>& reportBad) {
  const std::string staged = StagingDir(ctx.values) + NamePart(ctx.values.ConfigFileName);
  try {
    DeleteIfExists(ctx.fs, staged);
    std::string body;
    HttpResult got = WorkerGetText(ctx.http, ctx.settings.IniURL, body);
    if (!got.ok) {
      ctx.Note("zone list: GET " + ctx.settings.IniURL + " failed: " + got.error);
      return false;
    }
    if (CreateDirPath(ctx.fs, DirPart(staged)) != kErrNone) return false;
    if (WriteFileReplacing(ctx.fs, staged, body) != kErrNone) return false;
  } catch (const std::exception&) {
    return false;
  }
  FileCrcResult crc = FileCrc32(ctx.fs, staged);
  const std::string got = crc.Error == 0 ? CrcText(crc.Crc) : std::string("(unreadable)");
  ctx.Note("zone list: downloaded CRC " + got + ", IniCode " + ctx.settings.IniCode);
  if (crc.Error != 0 || got != ctx.settings.IniCode) {
    ctx.Note("zone list: checksum mismatch; " + ctx.values.ConfigFileName + " kept");
    reportBad();
    return false;
  }
  if (ctx.guard && !ctx.guard->AcceptZoneList(staged)) {
    // A refused download is not kept, as with patch archives and the launcher.
    DeleteIfExists(ctx.fs, staged);
    return false;
  }
  // One step: the configuration file is never missing, and a locked one stays as it was.
  if (ctx.fs.Rename(staged, ctx.values.ConfigFileName, true) != kErrNone) {
    ctx.Note("zone list: could not replace " + ctx.values.ConfigFileName);
    return false;
  }
  ctx.Note("zone list: replaced " + ctx.values.ConfigFileName);
  return true;
}

namespace {

bool ReadPatchSection(TFastIniFile& ini, const std::string& name, TPatchList& list) {
  auto entry = std::make_unique<TPatchInfo>();
  entry->FromFile = ini.ReadString(name, "FromFile", "");
  entry->FilePath = ini.ReadString(name, "FilePath", "");
  std::string when = ini.ReadString(name, "FileDateTime", "");
  if (entry->FromFile.empty() || entry->FilePath.empty() || when.empty()) return false;
  if (!ParseDateTime(when, entry->FileDateTime)) return false;
  entry->FileName = name;
  list.push_back(std::move(entry));
  return true;
}

}  // namespace

bool ReadPatchList(UpdateContext& ctx) {
  TPatchList& list = ctx.values.PatchList;
  try {
    TFastIniFile ini(ctx.fs, ctx.values.UpdateInfoFileName);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    const std::string settingsName = UpperCaseTbl(UpdateInfoSection);
    for (const std::string& name : sections) {
      if (UpperCaseTbl(name) == settingsName) continue;
      try {
        ReadPatchSection(ini, name, list);
      } catch (const std::exception&) {
        // A damaged patch section is skipped; the others still update their files.
      }
    }
  } catch (const std::exception&) {
    return false;
  }
  return !list.empty();
}

int64_t WholeSecondsApart(TDateTime a, TDateTime b) {
  double ms = std::fabs(a - b) * 86400000.0;
  if (!(ms < 9.0e15)) return INT64_MAX;  // absurd or NaN: as far apart as can be
  return std::llround(ms) / 1000;
}

bool PatchTargetOutOfDate(FileSystem& fs, const std::string& path, TDateTime want) {
  if (!fs.FileExists(path)) return true;
  return WholeSecondsApart(want, FileTimeAsDateTime(fs, path, 2)) > 30;
}

bool PatchPending(UpdateContext& ctx) {
  TPatchList& list = ctx.values.PatchList;
  const std::string dir = WithoutTrailingSeparator(ctx.values.AppDir);
  try {
    while (!list.empty()) {
      const TPatchInfo& e = *list.front();
      const std::string target = dir + e.FilePath + e.FileName;
      if (PatchTargetOutOfDate(ctx.fs, target, e.FileDateTime)) {
        ctx.Note("patches: " + target + " is out of date");
        return true;
      }
      list.erase(list.begin());
    }
  } catch (const std::exception&) {
    return false;
  }
  return false;
}

}  // namespace qev
