#include "config/TIniItems.h"

#include <cstring>

#include "config/IniNames.h"

namespace qev {

namespace {

bool IsBlankByte(unsigned char c) { return c >= 1 && c <= 32; }
bool IsCtlByte(unsigned char c) { return c <= 32; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlankByte(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankByte(s.back())) s.remove_suffix(1);
  return s;
}

// The length of the line that starts at p (up to CR, LF or the end).
size_t LineLength(const char* p, const char* end) {
  const char* q = p;
  while (q < end && *q != '\r' && *q != '\n') ++q;
  return static_cast<size_t>(q - p);
}

// Moves p past one CR and then one LF, as the end of one line.
const char* SkipBreak(const char* p, const char* end) {
  if (p < end && *p == '\r') ++p;
  if (p < end && *p == '\n') ++p;
  return p;
}

LineKind KindOf(std::string_view line) {
  if (line.empty()) return LineKind::Blank;
  if (line.front() == ';') return LineKind::Comment;
  if (line.front() == '[' && line.back() == ']' && line.size() >= 2) return LineKind::Section;
  return LineKind::Raw;
}

}  // namespace

void TIniItems::Tally(LineKind kind, int delta) {
  switch (kind) {
    case LineKind::Blank:
      stats_.Blanks += delta;
      break;
    case LineKind::Comment:
      stats_.Comments += delta;
      break;
    case LineKind::Section:
      stats_.Sections += delta;
      break;
    default:
      stats_.Others += delta;
      break;
  }
}

void TIniItems::Clear() {
  lines_.clear();
  lines_.shrink_to_fit();
  sections_.Clear();
  cache_ = nullptr;
  stats_ = {};
  buffer_.clear();
  buffer_.shrink_to_fit();
  ++layout_;
}

void TIniItems::Parse(std::string text) {
  Clear();
  buffer_ = std::move(text);
  const char* begin = buffer_.data();
  const char* end = begin + std::strlen(begin);  // the content ends at the first NUL

  // Count first, so the array is allocated once at its final size.
  size_t count = 0;
  for (const char* p = begin; p < end; ++count) p = SkipBreak(p + LineLength(p, end), end);
  lines_.reserve(count);

  for (const char* p = begin; p < end;) {
    const size_t n = LineLength(p, end);
    Append(KindOf({p, n}), {p, n}, false);
    p = SkipBreak(p + n, end);
  }
  if (stats_.Sections > 0 && stats_.Others / stats_.Sections >= 250) hashedMode_ = true;
}

void TIniItems::RoomForOne() {
  const size_t cap = lines_.capacity();
  if (lines_.size() < cap) return;
  const size_t grow = cap > 1024 ? cap / 4 : cap <= 256 ? 128 : 512;
  lines_.reserve(cap + grow);
  ++layout_;
}

TSectionNode* TIniItems::Append(LineKind kind, std::string_view text, bool copy) {
  RoomForOne();
  lines_.emplace_back(kind, text);
  if (copy) lines_.back().SetOwned(text, {});
  Tally(kind, +1);
  if (kind != LineKind::Section) return nullptr;
  const std::string_view header = lines_.back().Text();
  return sections_.Register(header.substr(1, header.size() - 2),
                            static_cast<uint32_t>(lines_.size()));
}

void TIniItems::Split(size_t i) {
  TIniLine& line = lines_[i];
  if (line.kind != LineKind::Raw) return;
  std::string_view t = line.Text();
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) {
    std::string_view rest = t;
    while (!rest.empty() && IsBlankByte(rest.front())) rest.remove_prefix(1);
    line.SetView(rest.empty() ? t : rest, {});
    line.kind = LineKind::Text;
    return;
  }
  const std::string_view name = TrimBlanks(t.substr(0, eq));
  std::string_view value = t.substr(eq + 1);
  while (!value.empty() && IsBlankByte(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsCtlByte(value.back())) value.remove_suffix(1);
  line.SetView(name, value);
  line.hash = IniNameHash(name);
  line.kind = LineKind::Key;
}

size_t TIniItems::SectionEnd(const TSectionNode* node) const {
  size_t j = node->firstLine;
  while (j < lines_.size() && lines_[j].kind != LineKind::Section) ++j;
  return j;
}

TSectionNode* TIniItems::FindSection(std::string_view name, bool add) {
  const uint32_t hash = IniNameHash(name);
  if (cache_ && cache_->hash == hash && IniNamesEqual(cache_->name, name)) return cache_;
  TSectionNode* node = sections_.Find(name, hash);
  if (!node && add) {
    if (!lines_.empty() && lines_.back().kind != LineKind::Blank)
      Append(LineKind::Blank, {}, false);
    node = Append(LineKind::Section, "[" + std::string(name) + "]", true);
    ++layout_;
  }
  if (node) cache_ = node;
  return node;
}

size_t TIniItems::FindKeyLinear(TSectionNode* node, std::string_view key) {
  const uint32_t hash = IniNameHash(key);
  for (size_t j = node->firstLine; j < lines_.size(); ++j) {
    TIniLine& line = lines_[j];
    if (line.kind == LineKind::Section) break;
    if (line.kind == LineKind::Raw) Split(j);
    if (line.kind == LineKind::Key && line.hash == hash && IniNamesEqual(line.Text(), key))
      return j;
  }
  return npos;
}

void TIniItems::BuildKeyIndex(TSectionNode* node) {
  node->keyIndex = std::make_unique<TKeyIndex>();
  for (size_t j = node->firstLine; j < lines_.size(); ++j) {
    const TIniLine& line = lines_[j];
    if (line.kind == LineKind::Section) break;
    if (line.kind == LineKind::Raw) Split(j);
    if (line.kind == LineKind::Key)
      node->keyIndex->buckets[line.hash & 0xFF].push_back({line.hash, static_cast<uint32_t>(j)});
  }
}

size_t TIniItems::FindKeyHashed(TSectionNode* node, std::string_view key) {
  if (indexLayout_ != layout_) {
    sections_.DiscardKeyIndexes();
    indexLayout_ = layout_;
  }
  if (!node->keyIndex) BuildKeyIndex(node);
  const uint32_t hash = IniNameHash(key);
  const std::vector<TKeyRef>& bucket = node->keyIndex->buckets[hash & 0xFF];
  for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
    if (it->hash == hash && IniNamesEqual(lines_[it->line].Text(), key)) return it->line;
  return npos;
}

size_t TIniItems::FindKey(std::string_view section, std::string_view key, bool add) {
  TSectionNode* node = FindSection(section, add);
  if (!node) return npos;
  const size_t found = hashedMode_ ? FindKeyHashed(node, key) : FindKeyLinear(node, key);
  return found == npos && add ? AddKey(node, key) : found;
}

size_t TIniItems::AddKey(TSectionNode* node, std::string_view key) {
  // After the section's last key or text line, so trailing comments and blank lines
  // stay behind the new key.
  size_t at = node->firstLine;
  for (size_t j = node->firstLine; j < lines_.size(); ++j) {
    if (lines_[j].kind == LineKind::Section) break;
    Split(j);
    if (lines_[j].kind == LineKind::Key || lines_[j].kind == LineKind::Text) at = j + 1;
  }
  std::string_view name = key;
  while (!name.empty() && IsCtlByte(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsCtlByte(name.back())) name.remove_suffix(1);

  RoomForOne();
  TIniLine line(LineKind::Key, {});
  line.SetOwned(name, {});
  line.hash = IniNameHash(name);
  lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(at), std::move(line));
  Tally(LineKind::Key, +1);
  sections_.Shift(static_cast<uint32_t>(at), +1);
  ++layout_;
  return at;
}

void TIniItems::SetValue(size_t i, std::string_view value) {
  TIniLine& line = lines_[i];
  line.SetOwned(line.Text(), value);
}

void TIniItems::RemoveLine(size_t i) {
  Tally(lines_[i].kind, -1);
  lines_.erase(lines_.begin() + static_cast<ptrdiff_t>(i));
  sections_.Shift(static_cast<uint32_t>(i), -1);
  ++layout_;
}

bool TIniItems::EraseSection(std::string_view name) {
  TSectionNode* node = FindSection(name, false);
  if (!node) return false;
  // Trailing blank lines go with the section, but a comment followed by at most one
  // blank line belongs to the next header.
  const size_t header = node->firstLine - 1;
  size_t endMark = header;
  int run = 0;
  for (size_t j = node->firstLine; j < lines_.size(); ++j) {
    const LineKind kind = lines_[j].kind;
    if (kind == LineKind::Section) break;
    if (kind == LineKind::Comment) {
      run = -1;
    } else if (kind == LineKind::Blank) {
      if (++run > 0) endMark = j;
    } else {
      run = 0;
      endMark = j;
    }
  }
  for (size_t j = header; j <= endMark; ++j) Tally(lines_[j].kind, -1);
  lines_.erase(lines_.begin() + static_cast<ptrdiff_t>(header),
               lines_.begin() + static_cast<ptrdiff_t>(endMark + 1));
  if (cache_ == node) cache_ = nullptr;
  sections_.Unregister(node);
  sections_.Shift(static_cast<uint32_t>(header), -static_cast<int32_t>(endMark + 1 - header));
  ++layout_;
  return true;
}

std::string TIniItems::SaveText() const {
  size_t size = 0;
  for (const TIniLine& line : lines_)
    size += line.Text().size() + line.Value().size() + (line.kind == LineKind::Key ? 3 : 2);
  std::string out;
  out.reserve(size);
  for (const TIniLine& line : lines_) {
    if (line.kind != LineKind::Blank) out += line.Text();
    if (line.kind == LineKind::Key) {
      out += '=';
      out += line.Value();
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace qev
