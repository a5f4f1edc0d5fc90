#pragma once
// The values of the update-info file's section "UpdateInfo", and the context the update
// worker's steps share.

#include <cstdint>
#include <string>

#include "config/ProcessValues.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "update/UpdateLog.h"

namespace qev {

// Must occur somewhere in a fetched update-info text for it to be accepted.
inline constexpr char UpdateFileHeader[] = ";;;;;QEV TarnLogin Update File;;;;;";
inline constexpr char UpdateInfoSection[] = "UpdateInfo";

class UpdateGuard;

struct TUpdateSettings {
  bool CheckLong = false, CheckIni = false, CheckFix = false, EnableCue = false;
  std::string LongURL, LongCode, IniURL, IniCode, DefURL, DLLURL, DLLCode;
};

// What the worker reads and writes. The worker writes settings and PatchList only before
// the hand-over that leads the main thread to read them, so nothing here is locked.
struct UpdateContext {
  FileSystem& fs;
  ProcessValues& values;
  TUpdateSettings& settings;
  HttpClientFactory& http;
  uint32_t ConfigFileCrc = 0;  // taken when the window was created; 0 = no value
  uint32_t LauncherFileCrc = 0;
  UpdateLog* log = nullptr;      // none: nothing is recorded
  UpdateGuard* guard = nullptr;  // none: downloads are not checked against a signed file

  void Note(const std::string& line) {
    if (log) log->Write(line);
  }
};

// AppDir + "update\".
std::string StagingDir(const ProcessValues& values);

// CheckLong on, a launcher CRC taken, and LongCode differing from its text.
bool LauncherOutOfDate(const TUpdateSettings& settings, uint32_t launcherFileCrc);

}  // namespace qev
