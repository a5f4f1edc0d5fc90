#pragma once
// The ordered line store of the INI file: the line array, the section index with its
// one-entry cache, the per-section key indexes of hashed mode and the line counters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/FastIniFile.h"
#include "config/IniLine.h"
#include "config/TSectionItems.h"

namespace qev {

class TIniItems {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  // Replaces the content with the lines of text (which the store keeps as the buffer
  // that unsplit lines point into).
  void Parse(std::string text);
  void Clear();

  size_t Count() const { return lines_.size(); }
  size_t Capacity() const { return lines_.capacity(); }
  const TIniLine& Line(size_t i) const { return lines_[i]; }
  bool HashedMode() const { return hashedMode_; }
  const TStatistics& Statistics() const { return stats_; }

  // Turns a raw line into a key or text line; other lines are left alone.
  void Split(size_t i);
  // The lines of a section: from its first line up to the next header or the end.
  size_t SectionEnd(const TSectionNode* node) const;

  TSectionNode* FindSection(std::string_view name, bool add);
  // Key lookup as the mode says (linear: first match, hashed: last match); npos when
  // missing and not added.
  size_t FindKey(std::string_view section, std::string_view key, bool add);
  // The first match in file order, whatever the mode.
  size_t FindKeyLinear(TSectionNode* node, std::string_view key);

  void SetValue(size_t line, std::string_view value);
  void RemoveLine(size_t line);
  // False when the section is missing.
  bool EraseSection(std::string_view name);

  // Every line's output text followed by CR LF.
  std::string SaveText() const;

 private:
  // Appends a line (a copy of text when copy is set); registers a header.
  TSectionNode* Append(LineKind kind, std::string_view text, bool copy);
  void RoomForOne();
  size_t AddKey(TSectionNode* node, std::string_view key);
  size_t FindKeyHashed(TSectionNode* node, std::string_view key);
  void BuildKeyIndex(TSectionNode* node);
  void Tally(LineKind kind, int delta);

  std::string buffer_;
  std::vector<TIniLine> lines_;
  TSectionItems sections_;
  TSectionNode* cache_ = nullptr;
  TStatistics stats_;
  bool hashedMode_ = false;
  // Bumped whenever lines are inserted or removed or the array moves; key indexes
  // built under an older value refer to stale line numbers.
  uint64_t layout_ = 0;
  uint64_t indexLayout_ = 0;
};

}  // namespace qev
