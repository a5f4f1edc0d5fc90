#include "tests/fakes/MemFileSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/FileOps.h"

namespace qev::test {

namespace {

class MemInputFile : public InputFile {
 public:
  explicit MemInputFile(std::string data) : data_(std::move(data)) {}
  uint64_t Size() override { return data_.size(); }
  SysError Seek(uint64_t pos) override {
    pos_ = pos;
    return kErrNone;
  }
  SysError Read(void* buf, size_t n, size_t& got) override {
    got = pos_ >= data_.size() ? 0 : std::min<uint64_t>(n, data_.size() - pos_);
    if (got) std::memcpy(buf, data_.data() + pos_, got);
    pos_ += got;
    return kErrNone;
  }

 private:
  std::string data_;
  uint64_t pos_ = 0;
};

}  // namespace

class MemOutputFile : public OutputFile {
 public:
  MemOutputFile(MemFileSystem& fs, std::string key) : fs_(fs), key_(std::move(key)) {}
  SysError Write(const void* buf, size_t n) override {
    std::lock_guard<std::recursive_mutex> lock(fs_.mu_);
    auto it = fs_.files_.find(key_);
    if (closed_ || it == fs_.files_.end()) return kErrInvalidHandle;
    if (SysError e = fs_.Consume(n)) return e;
    it->second.data.append(static_cast<const char*>(buf), n);
    it->second.times[2] = fs_.now_;
    return kErrNone;
  }
  SysError Close() override {
    closed_ = true;
    return kErrNone;
  }

 private:
  MemFileSystem& fs_;
  std::string key_;
  bool closed_ = false;
};

MemFileSystem::MemFileSystem() { dirs_.insert("C:"); }

std::string MemFileSystem::Key(const std::string& path) {
  std::string k;
  k.reserve(path.size());
  bool afterSep = false;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    unsigned char u = static_cast<unsigned char>(c);
    // The second byte of a GBK character is kept as it is: it may be "\\" or a letter.
    if (u >= 0x81 && u <= 0xFE && i + 1 < path.size()) {
      k.push_back(c);
      k.push_back(path[++i]);
      afterSep = false;
      continue;
    }
    if (c == '/') c = '\\';
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '\\' && afterSep) continue;
    afterSep = c == '\\';
    k.push_back(c);
  }
  if (k.size() > 1) k = WithoutTrailingSeparator(k);
  return k;
}

std::string MemFileSystem::ParentKey(const std::string& key) {
  std::string dir = DirPart(key);
  return dir.empty() ? std::string() : dir.substr(0, dir.size() - 1);
}

SysError MemFileSystem::CheckParent(const std::string& key) {
  std::string parent = ParentKey(key);
  if (parent.empty() || dirs_.count(parent)) return kErrNone;
  return kErrPathNotFound;
}

SysError MemFileSystem::Consume(size_t n) {
  if (n > space_) return kErrDiskFull;
  if (space_ != UINT64_MAX) space_ -= n;
  return kErrNone;
}

void MemFileSystem::AddDir(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  while (!key.empty()) {
    dirs_.insert(key);
    key = ParentKey(key);
  }
}

void MemFileSystem::AddFile(const std::string& path, std::string data, FileTimeTicks lastWrite) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  if (!ParentKey(key).empty()) AddDir(ParentKey(key));
  Node& n = files_[key];
  n.name = path;
  n.data = std::move(data);
  n.times[0] = n.times[1] = n.times[2] = lastWrite ? lastWrite : now_;
}

std::string MemFileSystem::Contents(const std::string& path) const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  return it == files_.end() ? std::string() : it->second.data;
}

std::vector<std::string> MemFileSystem::ListFiles() const {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::vector<std::string> out;
  for (auto& [k, n] : files_) out.push_back(k);
  return out;
}

void MemFileSystem::Lock(const std::string& path, bool locked) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  if (it != files_.end()) it->second.locked = locked;
}

bool MemFileSystem::FileExists(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return files_.count(Key(path)) != 0;
}

bool MemFileSystem::DirExists(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  return dirs_.count(Key(path)) != 0;
}

SysError MemFileSystem::OpenRead(const std::string& path, std::unique_ptr<InputFile>& out) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  auto it = files_.find(key);
  if (it == files_.end()) return dirs_.count(key) ? kErrAccessDenied : kErrFileNotFound;
  if (it->second.locked) return kErrSharingViolation;
  out = std::make_unique<MemInputFile>(it->second.data);
  return kErrNone;
}

SysError MemFileSystem::Create(const std::string& path, std::unique_ptr<OutputFile>& out) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  if (dirs_.count(key)) return kErrAccessDenied;
  if (SysError e = CheckParent(key)) return e;
  auto it = files_.find(key);
  if (it != files_.end()) {
    if (it->second.locked) return kErrSharingViolation;
    if (it->second.attrs & kAttrReadOnly) return kErrAccessDenied;
    it->second.data.clear();
    it->second.times[2] = now_;
  } else {
    Node& n = files_[key];
    n.name = path;
    n.times[0] = n.times[1] = n.times[2] = now_;
  }
  out = std::make_unique<MemOutputFile>(*this, key);
  return kErrNone;
}

SysError MemFileSystem::Delete(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return kErrFileNotFound;
  if (it->second.locked) return kErrSharingViolation;
  if (it->second.attrs & kAttrReadOnly) return kErrAccessDenied;
  files_.erase(it);
  return kErrNone;
}

SysError MemFileSystem::Copy(const std::string& from, const std::string& to, bool overwrite) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto src = files_.find(Key(from));
  if (src == files_.end()) return kErrFileNotFound;
  if (src->second.locked) return kErrSharingViolation;
  std::string key = Key(to);
  if (dirs_.count(key)) return kErrAccessDenied;
  if (SysError e = CheckParent(key)) return e;
  auto dst = files_.find(key);
  if (dst != files_.end()) {
    if (!overwrite) return kErrFileExists;
    if (dst->second.locked) return kErrSharingViolation;
    if (dst->second.attrs & kAttrReadOnly) return kErrAccessDenied;
  }
  if (SysError e = Consume(src->second.data.size())) return e;
  Node copy = src->second;
  copy.name = to;
  files_[key] = copy;
  return kErrNone;
}

SysError MemFileSystem::Rename(const std::string& from, const std::string& to, bool replace) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string fromKey = Key(from), toKey = Key(to);
  auto src = files_.find(fromKey);
  if (src == files_.end()) return kErrFileNotFound;
  if (src->second.locked) return kErrSharingViolation;
  if (dirs_.count(toKey)) return kErrAccessDenied;
  if (SysError e = CheckParent(toKey)) return e;
  if (fromKey == toKey) return kErrNone;
  auto dst = files_.find(toKey);
  if (dst != files_.end()) {
    if (!replace) return kErrAlreadyExists;
    if (dst->second.locked) return kErrSharingViolation;
    if (dst->second.attrs & kAttrReadOnly) return kErrAccessDenied;
  }
  Node moved = src->second;
  moved.name = to;
  files_.erase(src);
  files_[toKey] = moved;
  return kErrNone;
}

SysError MemFileSystem::CreateDir(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  if (dirs_.count(key) || files_.count(key)) return kErrAlreadyExists;
  if (SysError e = CheckParent(key)) return e;
  dirs_.insert(key);
  return kErrNone;
}

SysError MemFileSystem::GetFileTime(const std::string& path, FileTimeKind which,
                                    FileTimeTicks& out) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return kErrFileNotFound;
  out = it->second.times[static_cast<int>(which)];
  return kErrNone;
}

SysError MemFileSystem::SetFileTime(const std::string& path, FileTimeKind which,
                                    FileTimeTicks value) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return kErrFileNotFound;
  if (it->second.locked) return kErrSharingViolation;
  it->second.times[static_cast<int>(which)] = value;
  return kErrNone;
}

SysError MemFileSystem::GetAttributes(const std::string& path, uint32_t& out) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  std::string key = Key(path);
  if (dirs_.count(key)) {
    out = kAttrDirectory;
    return kErrNone;
  }
  auto it = files_.find(key);
  if (it == files_.end()) return kErrFileNotFound;
  out = it->second.attrs;
  return kErrNone;
}

SysError MemFileSystem::SetAttributes(const std::string& path, uint32_t attrs) {
  std::lock_guard<std::recursive_mutex> lock(mu_);
  auto it = files_.find(Key(path));
  if (it == files_.end()) return kErrFileNotFound;
  it->second.attrs = attrs & ~kAttrDirectory;
  return kErrNone;
}

}  // namespace qev::test
