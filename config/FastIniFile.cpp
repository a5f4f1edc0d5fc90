#include "config/FastIniFile.h"

#include "config/IniValueText.h"
#include "config/TIniItems.h"
#include "platform/FileError.h"
#include "platform/FileOps.h"

namespace qev {

TFastIniFile::TFastIniFile(FileSystem& fs, std::string fileName)
    : fs_(fs), fileName_(std::move(fileName)), items_(std::make_unique<TIniItems>()) {}

TFastIniFile::~TFastIniFile() {
  try {
    Flush();
  } catch (...) {
    // A destructor cannot report; callers that need the outcome use Release().
  }
}

void TFastIniFile::EnsureLoaded() {
  if (!loaded_) LoadFile();
}

void TFastIniFile::LoadFile() {
  std::string text;
  if (!fileName_.empty() && fs_.FileExists(fileName_)) {
    if (SysError e = ReadWholeFile(fs_, fileName_, text))
      throw FileError("Cannot open file \"" + fileName_ + "\"", e);
  }
  items_->Parse(std::move(text));
  loaded_ = true;
  modified_ = false;
}

std::string TFastIniFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  EnsureLoaded();
  const size_t i = items_->FindKey(section, key, false);
  if (i == TIniItems::npos) return defaultValue;
  std::string_view value = items_->Line(i).Value();
  if (StripComment) {
    const size_t semi = FindUnquotedSemicolon(value);
    if (semi != std::string_view::npos) value = TrimControls(value.substr(0, semi));
  }
  return std::string(StripQuotes(value));
}

void TFastIniFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  EnsureLoaded();
  if (key.empty()) {
    if (!value.empty()) return;
    if (section.empty())
      Flush();
    else
      EraseSection(section);
    return;
  }
  const size_t i = items_->FindKey(section, key, true);
  std::string_view current = items_->Line(i).Value();
  std::string_view comment;
  size_t semi = std::string_view::npos;
  if (StripComment) {
    semi = FindUnquotedSemicolon(current);
    if (semi != std::string_view::npos) {
      comment = current.substr(semi, 255);
      current = TrimControls(current.substr(0, semi));
    }
  }
  if (current == value) return;
  if (semi == std::string_view::npos) {
    items_->SetValue(i, value);
  } else {
    // The comment keeps its column when the new value leaves room for it.
    const size_t column = semi + 1;
    const size_t filler = column > value.size() + 1 ? column - (value.size() + 1) : 1;
    std::string stored = value;
    stored.append(filler, ' ');
    stored.append(comment);
    items_->SetValue(i, stored);
  }
  modified_ = true;
}

int32_t TFastIniFile::ReadInteger(const std::string& section, const std::string& key,
                                  int32_t defaultValue) {
  int32_t v = 0;
  return ParseIniInteger(ReadString(section, key, ""), v) ? v : defaultValue;
}

void TFastIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TFastIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TFastIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TFastIniFile::ReadSection(const std::string& section, std::vector<std::string>& names) {
  EnsureLoaded();
  names.clear();
  TSectionNode* node = items_->FindSection(section, false);
  if (!node) return;
  for (size_t j = node->firstLine; j < items_->Count(); ++j) {
    if (items_->Line(j).kind == LineKind::Section) break;
    items_->Split(j);
    if (items_->Line(j).kind == LineKind::Key) names.emplace_back(items_->Line(j).Text());
  }
}

void TFastIniFile::ReadSections(std::vector<std::string>& names) {
  EnsureLoaded();
  names.clear();
  for (size_t j = 0; j < items_->Count(); ++j) {
    items_->Split(j);
    const TIniLine& line = items_->Line(j);
    if (line.kind == LineKind::Section)
      names.emplace_back(line.Text().substr(1, line.Text().size() - 2));
  }
}

void TFastIniFile::ReadSectionValues(const std::string& section, std::vector<std::string>& lines) {
  std::vector<std::string> names;
  ReadSection(section, names);
  lines.clear();
  for (const std::string& name : names) lines.push_back(name + "=" + ReadString(section, name, ""));
}

void TFastIniFile::EraseSection(const std::string& section) {
  EnsureLoaded();
  items_->EraseSection(section);
  modified_ = true;
}

void TFastIniFile::DeleteKey(const std::string& section, const std::string& key) {
  EnsureLoaded();
  TSectionNode* node = items_->FindSection(section, false);
  if (!node) return;
  const size_t i = items_->FindKeyLinear(node, key);
  if (i == TIniItems::npos) return;
  items_->RemoveLine(i);
  modified_ = true;
}

void TFastIniFile::UpdateFile() { Flush(); }

void TFastIniFile::Flush() {
  if (!modified_) return;
  if (fileName_.empty()) throw FileError("No file name to write to", kErrPathNotFound);
  if (SysError e = WriteFileReplacing(fs_, fileName_, items_->SaveText()))
    throw FileError("Cannot write file \"" + fileName_ + "\"", e);
  modified_ = false;
}

void TFastIniFile::Clear() {
  items_->Clear();
  loaded_ = false;
  modified_ = false;
}

void TFastIniFile::Release() {
  try {
    UpdateFile();
  } catch (...) {
    // Release ends the object's use whatever happens: the lines go, and the write-back's
    // failure (a FileError, or anything else) reaches the caller unchanged.
    Clear();
    throw;
  }
  Clear();
}

bool TFastIniFile::HashedMode() const { return items_->HashedMode(); }

TStatistics TFastIniFile::Statistics() const { return items_->Statistics(); }

}  // namespace qev
