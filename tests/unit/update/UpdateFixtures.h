#pragma once
// Inputs the update tests share: configuration and update-info texts, checksum texts and
// file stamps (and GBK expectations through Gbk).

#include <zlib.h>

#include <string>
#include <vector>

#include "base/DateTime.h"
#include "config/Crc32.h"
#include "config/FileTimes.h"
#include "config/LauncherConfig.h"
#include "tests/fakes/GbkText.h"
#include "update/UpdateSettings.h"

namespace qev::test {

inline std::string CrcOfText(const std::string& data) {
  return CrcText(static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()))));
}

// A launcher configuration file with one server per caption.
inline std::string ConfigText(const std::string& updateUrl,
                              const std::vector<std::string>& captions) {
  std::string s = "[LoginInfo]\r\nCaption1=game.exe\r\nUpdateURL=" + updateUrl + "\r\n";
  int n = 0;
  for (const auto& caption : captions) {
    ++n;
    s += "[Server" + std::to_string(n) +
         "]\r\nServerAddress=" + EncodeServerValue("127.0.0." + std::to_string(n)) +
         "\r\nServerName=s" + std::to_string(n) + "\r\nServerPort=" + EncodeServerValue("7000") +
         "\r\nServerCaption=" + caption + "\r\n";
  }
  return s;
}

// An update-info file: the header on the second line, then the given sections.
inline std::string UpdateInfoText(const std::string& settingsLines,
                                  const std::string& patchSections = "") {
  return "; made for a test\r\n" + std::string(UpdateFileHeader) + "\r\n[UpdateInfo]\r\n" +
         settingsLines + patchSections;
}

inline std::string PatchSection(const std::string& fileName, const std::string& fromFile,
                                const std::string& filePath, const std::string& when) {
  return "[" + fileName + "]\r\nFromFile=" + fromFile + "\r\nFilePath=" + filePath +
         "\r\nFileDateTime=" + when + "\r\n";
}

inline TDateTime At(const std::string& text) {
  TDateTime t = 0;
  ParseDateTime(text, t);
  return t;
}

// FILETIME ticks of a local time plus an offset in milliseconds (the tests keep the
// time-zone bias at 0, so local and UTC agree).
inline FileTimeTicks TicksAt(const std::string& text, int64_t offsetMs = 0) {
  return DateTimeToTicks(At(text)) + offsetMs * 10000;
}

}  // namespace qev::test
