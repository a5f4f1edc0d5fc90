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
  uint16_t VersionMadeBy = 0;  // high byte: the system that made it (3 = Unix)
};

struct ExtractWorkspace;

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
  // Extracts every member; the number extracted (reads the directory first when
  // ReadZip was not called). Members that are skipped or fail do not count:
  //  - a stored name whose file name is unsafe (empty, ".", "..", ":", control bytes,
  //    device names, bytes that are not GBK) is skipped without writing anything and
  //    listed in SkippedNames; a name flagged as UTF-8 (general-purpose bit 11) is
  //    first converted to GBK;
  //  - an enciphered member is skipped (no password is ever set), without a question;
  //  - a method other than 0 and 8 (the legacy methods 1-6 too) shows "Zip Error" /
  //    "Unknown Compression Method" and writes nothing;
  //  - data that is corrupt, runs past its declared size, claims an impossible size or
  //    fails its CRC leaves no file: a member is written under a temporary name beside
  //    its target and takes the target's place only once it is complete and checked.
  // Write failures (full disk, a locked target, a folder that cannot be created) and
  // archive read errors raise ZipError; no partial file is left in either case.
  int UnZip();

  const std::vector<ZipMember>& Members() const { return members_; }

  // The stored names of the members the last UnZip skipped because their name cannot
  // be a Windows file name in GBK (folder entries are not counted).
  std::vector<std::string> SkippedNames;

 private:
  bool ExtractMember(InputFile& in, const ZipMember& m, const std::string& dir,
                     ExtractWorkspace& work);

  FileSystem& fs_;
  ZipPrompt& prompt_;
  std::vector<ZipMember> members_;
  bool read_ = false;
};

}  // namespace qev
