#pragma once
// UpdateLog: the operator's record of what the updater did, one line per step or failure
// (the URL, the HTTP answer, the checksums compared, the file replaced), in a GBK text
// file beside the launcher that the player can open in a plain text editor.
//
// The file is capped: when a line would take it past the cap it is renamed to the same
// name + ".1" (replacing an older one) and a fresh file begins. Every line is written
// through a temporary file that then replaces the log in one step, so a failed write
// never cuts it. Writing is best effort: a log that cannot be written changes nothing
// else. Safe to use from the update worker and the main thread at once.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>

#include "platform/FileSystem.h"

namespace qev {

inline constexpr char kUpdateLogName[] = "QevLogin.log";
inline constexpr size_t kUpdateLogCap = 256 * 1024;

class UpdateLog {
 public:
  // A log that is not open writes nothing.
  UpdateLog() = default;
  UpdateLog(const UpdateLog&) = delete;
  UpdateLog& operator=(const UpdateLog&) = delete;

  void Open(FileSystem& fs, std::string path, size_t cap = kUpdateLogCap);
  bool IsOpen() const;

  // Appends "stamp  line" + CR LF; line is GBK and should not hold line breaks (any are
  // turned into blanks so one step stays one line).
  void Write(const std::string& line);

  // The time stamp put before each line; local time "yyyy-mm-dd hh:nn:ss" unless replaced.
  std::function<std::string()> Stamp;

 private:
  void Rotate();

  mutable std::mutex mu_;
  FileSystem* fs_ = nullptr;
  std::string path_;
  size_t cap_ = kUpdateLogCap;
  std::string text_;  // the file as last written
  bool loaded_ = false;
};

// The local time now as "yyyy-mm-dd hh:nn:ss".
std::string LocalTimeStamp();

}  // namespace qev
