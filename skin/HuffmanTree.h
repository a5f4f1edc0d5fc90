#pragma once
// THuffmanTree: a canonical Huffman code held as one single-level lookup table.
//
// The table has 2^LongestCode entries and is indexed by the next LongestCode input bits
// (least significant bit first, as Deflate stores codes bit-reversed). Every index whose
// low L bits equal a code of length L holds that code's entry, so one lookup decodes
// one symbol. An entry packs:
//   bits  0-15  symbol
//   bits 16-23  code length
//   bits 24-31  number of extra bits that follow the code
// An index that no code reaches holds kNoCode; meeting it means the data is corrupt
// (the code set was incomplete and the input used a missing code).

#include <cstdint>
#include <vector>

namespace qev {

class THuffmanTree {
 public:
  static constexpr uint32_t kNoCode = 0xFFFFFFFF;

  // maxBits: 7 for the code-length tree, 15 for literal/length and distance trees.
  explicit THuffmanTree(int maxBits) : maxBits_(maxBits) {}

  // Builds the table for the Count code lengths starting at lengths[First]. Symbols at
  // or above extraBase carry extraBits[symbol - extraBase] extra bits (extraBits may be
  // null when no symbol carries any). False when a length exceeds MaxBits or the
  // lengths over-subscribe the code space; an incomplete code set is accepted.
  bool BuildTable(const uint8_t* lengths, int first, int count, int extraBase,
                  const uint8_t* extraBits);

  uint32_t operator[](uint32_t index) const { return table_[index]; }
  const uint32_t* Table() const { return table_.data(); }
  int MaxBits() const { return maxBits_; }
  int LongestCode() const { return longestCode_; }

  static uint32_t Symbol(uint32_t entry) { return entry & 0xFFFF; }
  static uint32_t CodeLength(uint32_t entry) { return (entry >> 16) & 0xFF; }
  static uint32_t ExtraBits(uint32_t entry) { return entry >> 24; }

 private:
  std::vector<uint32_t> table_;
  int maxBits_;
  int longestCode_ = 0;
};

// The trees of the fixed Huffman codes (block type 1), built once per process.
const THuffmanTree& FixedLiteralTree();
const THuffmanTree& FixedDistanceTree();

}  // namespace qev
