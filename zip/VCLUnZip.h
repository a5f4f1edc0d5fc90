#pragma once
// TVCLUnZip: the ZIP extraction component, with the settings the launcher uses.
// Open reads the archive's directory; UnZip writes every member into DestDir under its
// file name alone and returns the number of members extracted. An archive that cannot
// be opened or read, or whose directory is damaged, raises ZipError.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qev {

class ZipError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The questions and boxes of the component, injected so that tests can answer them.
class ZipPrompt {
 public:
  virtual ~ZipPrompt() = default;
  // "File Exists Alert" / "Replace existing file " + name + "?"; true for Yes.
  virtual bool AskReplace(const std::string& fileName) = 0;
  // An error box without owner ("Zip Error" / "Unknown Compression Method").
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;
};

struct ZipMember {
  std::string StoredName;  // folder part and file name as stored
  uint16_t Flags = 0;
  uint16_t Method = 0;
  uint32_t DosDateTime = 0;  // date high 16 bits, time low 16 bits
  uint32_t Crc32 = 0;
  uint64_t CompressedSize = 0;
  uint64_t UncompressedSize = 0;
  uint32_t ExternalAttributes = 0;
  uint64_t LocalHeaderOffset = 0;
};

class TVCLUnZip {
 public:
  TVCLUnZip(FileSystem& fs, ZipPrompt& prompt);

  std::string ZipName;
  std::string DestDir;  // with or without a trailing separator
  std::vector<std::string> FilesList{"*.*"};
  bool DoAll = true;
  bool RecreateDirs = false;
  bool RetainAttributes = true;

  // Reads the directory of ZipName.
  void ReadZip();
  // Extracts every member; the number extracted.
  int UnZip();

  const std::vector<ZipMember>& Members() const { return members_; }

 private:
  FileSystem& fs_;
  ZipPrompt& prompt_;
  std::vector<ZipMember> members_;
};

}  // namespace qev
