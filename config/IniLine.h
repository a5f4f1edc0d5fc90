#pragma once
// One line of the in-memory INI file. Lines read from the file point into the file's
// buffer (kept by TIniItems); a line that gets new text owns a copy of it. Splitting a
// raw line only narrows its views, so nothing is copied until a value is written.

#include <cstdint>
#include <memory>
#include <string_view>

namespace qev {

enum class LineKind : uint8_t { Key = 0, Text = 1, Raw = 2, Section = 3, Comment = 4, Blank = 5 };

class TIniLine {
 public:
  TIniLine(LineKind kind, std::string_view text) : kind(kind) { SetView(text, {}); }

  LineKind kind;
  uint32_t hash = 0;  // name hash of a key line

  std::string_view Text() const { return {text_, textLen_}; }
  std::string_view Value() const { return {value_, valueLen_}; }
  // Points at text that outlives the line (the file buffer or the line's own copy).
  void SetView(std::string_view text, std::string_view value);
  // Copies text and value into storage of the line's own.
  void SetOwned(std::string_view text, std::string_view value);

 private:
  const char* text_ = nullptr;
  const char* value_ = nullptr;
  uint32_t textLen_ = 0;
  uint32_t valueLen_ = 0;
  std::unique_ptr<char[]> own_;
};

}  // namespace qev
