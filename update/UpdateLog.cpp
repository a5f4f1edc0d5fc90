#include "update/UpdateLog.h"

#include <cstdio>
#include <ctime>

#include "platform/FileOps.h"

namespace qev {

std::string LocalTimeStamp() {
  static std::mutex clockMu;  // localtime shares one buffer
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  {
    std::lock_guard<std::mutex> lock(clockMu);
    if (const std::tm* t = std::localtime(&now)) parts = *t;
  }
  char buf[80];  // room for any int the fields could hold
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return buf;
}

void UpdateLog::Open(FileSystem& fs, std::string path, size_t cap) {
  std::lock_guard<std::mutex> lock(mu_);
  fs_ = &fs;
  path_ = std::move(path);
  cap_ = cap;
  text_.clear();
  loaded_ = false;
}

bool UpdateLog::IsOpen() const {
  std::lock_guard<std::mutex> lock(mu_);
  return fs_ != nullptr;
}

void UpdateLog::Rotate() {
  fs_->Rename(path_, path_ + ".1", true);
  text_.clear();
}

void UpdateLog::Write(const std::string& line) {
  std::lock_guard<std::mutex> lock(mu_);
  if (!fs_) return;
  if (!loaded_) {
    // Lines of earlier runs are kept; an unreadable log starts afresh.
    if (fs_->FileExists(path_) && ReadWholeFile(*fs_, path_, text_) != kErrNone) text_.clear();
    loaded_ = true;
  }
  std::string entry = (Stamp ? Stamp() : LocalTimeStamp()) + "  " + line;
  for (char& c : entry)
    if (c == '\r' || c == '\n') c = ' ';
  entry += "\r\n";
  if (!text_.empty() && text_.size() + entry.size() > cap_) Rotate();
  text_ += entry;
  WriteFileReplacing(*fs_, path_, text_);
}

}  // namespace qev
