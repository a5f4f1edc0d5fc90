#include "skin/HuffmanTree.h"

#include <array>
#include <cstddef>
#include <cstring>

#include "skin/DeflateTables.h"

namespace qev {
namespace {

THuffmanTree BuildFixedLiteralTree() {
  std::array<uint8_t, 288> lengths{};
  for (int i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
  THuffmanTree tree(15);
  tree.BuildTable(lengths.data(), 0, 288, deflate::kFirstLengthSymbol,
                  deflate::kLengthExtra.data());
  return tree;
}

THuffmanTree BuildFixedDistanceTree() {
  std::array<uint8_t, 32> lengths{};
  lengths.fill(5);
  THuffmanTree tree(15);
  tree.BuildTable(lengths.data(), 0, 32, 0, deflate::kDistanceExtra.data());
  return tree;
}

}  // namespace

// The canonical codes are assigned in order of length, then symbol. The table starts
// with 2 entries; before the codes of each next length it doubles by copying its lower
// half, which repeats every shorter code at each index whose extra high bits differ.
// This writes each of the 2^LongestCode entries about once and in sequence, instead of
// one strided pass per code; the result is the same table.
bool THuffmanTree::BuildTable(const uint8_t* lengths, int first, int count, int extraBase,
                              const uint8_t* extraBits) {
  std::array<int, 16> perLength{};
  longestCode_ = 0;
  for (int i = 0; i < count; ++i) {
    int len = lengths[first + i];
    if (len > maxBits_) return false;
    ++perLength[len];
    if (len > longestCode_) longestCode_ = len;
  }
  // Kraft's inequality: more codes of some length than the space left means two
  // symbols would share a code.
  int left = 1;
  for (int len = 1; len <= longestCode_; ++len) {
    left = left * 2 - perLength[len];
    if (left < 0) return false;
  }

  // Symbols sorted by code length, then by symbol (a counting sort).
  std::array<int, 17> start{};
  for (int len = 1; len < 16; ++len) start[len + 1] = start[len] + perLength[len];
  std::array<uint16_t, 320> sorted{};
  for (int i = 0; i < count; ++i)
    if (int len = lengths[first + i])
      sorted[static_cast<size_t>(start[len]++)] = static_cast<uint16_t>(i);

  table_.resize(size_t{1} << longestCode_);
  table_[0] = kNoCode;
  if (longestCode_ == 0) return true;
  table_[1] = kNoCode;
  uint32_t* t = table_.data();
  size_t size = 2, next = 0;
  uint32_t code = 0;  // the next code, bit-reversed to the table's index order
  for (int len = 1; len <= longestCode_; ++len) {
    if (len > 1) {
      std::memcpy(t + size, t, size * sizeof(uint32_t));
      size *= 2;
    }
    for (int k = 0; k < perLength[len]; ++k) {
      uint32_t sym = sorted[next++];
      uint32_t entry = sym | static_cast<uint32_t>(len) << 16;
      if (static_cast<int>(sym) >= extraBase && extraBits)
        entry |= static_cast<uint32_t>(extraBits[sym - extraBase]) << 24;
      t[code] = entry;
      // Add one to the code as written most significant bit first.
      uint32_t bit = 1u << (len - 1);
      while (code & bit) {
        code ^= bit;
        bit >>= 1;
      }
      code |= bit;
    }
  }
  return true;
}

// Built on first use (thread-safe) and shared read-only afterwards.
const THuffmanTree& FixedLiteralTree() {
  static const THuffmanTree tree = BuildFixedLiteralTree();
  return tree;
}
const THuffmanTree& FixedDistanceTree() {
  static const THuffmanTree tree = BuildFixedDistanceTree();
  return tree;
}

}  // namespace qev
