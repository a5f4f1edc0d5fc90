#pragma once
// TFastIniFile: the in-memory INI file of the launcher. The whole file is kept as an
// ordered array of lines; lines no operation touches are written back byte for byte,
// lines are split into name and value only when first needed, and the file is written
// back only when something changed.
//
// File errors (a file that exists but cannot be opened, a failed write-back) are raised
// as qev::FileError to the caller of the operation. Write-back goes to a temporary file
// beside the target that replaces it in one step, so a failure leaves the old file whole.
// The destructor writes back too but cannot report: call Release() where the outcome
// of the write-back matters.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace qev {

class TIniItems;

struct TStatistics {
  int32_t Blanks = 0, Comments = 0, Others = 0, Sections = 0;
};

class TFastIniFile {
 public:
  TFastIniFile(FileSystem& fs, std::string fileName);
  virtual ~TFastIniFile();
  TFastIniFile(const TFastIniFile&) = delete;
  TFastIniFile& operator=(const TFastIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue);
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value);
  virtual int32_t ReadInteger(const std::string& section, const std::string& key,
                              int32_t defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  virtual bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& key, bool value);
  virtual void ReadSection(const std::string& section, std::vector<std::string>& names);
  virtual void ReadSections(std::vector<std::string>& names);
  virtual void ReadSectionValues(const std::string& section, std::vector<std::string>& lines);
  virtual void EraseSection(const std::string& section);
  virtual void DeleteKey(const std::string& section, const std::string& key);
  virtual void UpdateFile();
  // Drops the content and the loaded and modified flags without writing.
  virtual void Clear();
  // UpdateFile, then releases the content; the content is released even when the
  // write-back raises.
  void Release();

  bool StripComment = true;
  bool Modified() const { return modified_; }
  bool Loaded() const { return loaded_; }
  bool HashedMode() const;
  TStatistics Statistics() const;

 protected:
  virtual void Flush();
  virtual void LoadFile();

 private:
  void EnsureLoaded();

  FileSystem& fs_;
  std::string fileName_;
  std::unique_ptr<TIniItems> items_;
  bool loaded_ = false;
  bool modified_ = false;
};

}  // namespace qev
