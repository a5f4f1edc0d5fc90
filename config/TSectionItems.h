#pragma once
// The section index of the INI file: 256 buckets by the low 8 bits of the name hash,
// each a chain of section nodes with the most recently registered node first. In
// hashed mode a node also carries the index of its key lines.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qev {

// A key line of a section, for the per-section key index.
struct TKeyRef {
  uint32_t hash;
  uint32_t line;
};

struct TKeyIndex {
  std::array<std::vector<TKeyRef>, 256> buckets;
};

struct TSectionNode {
  TSectionNode* next = nullptr;
  std::unique_ptr<TKeyIndex> keyIndex;  // hashed mode only; absent until built
  uint32_t firstLine = 0;               // the line after the header
  uint32_t hash = 0;
  std::string name;  // between the brackets, not trimmed
};

class TSectionItems {
 public:
  TSectionItems() = default;
  ~TSectionItems() { Clear(); }
  TSectionItems(const TSectionItems&) = delete;
  TSectionItems& operator=(const TSectionItems&) = delete;

  // The most recently registered node whose name is equal, or null.
  TSectionNode* Find(std::string_view name, uint32_t hash) const;
  TSectionNode* Register(std::string_view name, uint32_t firstLine);
  void Unregister(TSectionNode* node);
  // Adds delta to the first-line index of every node whose index is greater than line.
  void Shift(uint32_t line, int32_t delta);
  void DiscardKeyIndexes();
  void Clear();

 private:
  std::array<TSectionNode*, 256> buckets_{};
};

}  // namespace qev
