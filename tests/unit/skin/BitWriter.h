#pragma once
// Writes Deflate streams bit by bit, so that malformed streams can be spelled out field
// by field in the tests.

#include <cstdint>
#include <string>

namespace qev::test {

class BitWriter {
 public:
  // A header field or extra bits: n bits of value, least significant first.
  BitWriter& Bits(uint32_t value, int n) {
    for (int i = 0; i < n; ++i) Put((value >> i) & 1);
    return *this;
  }
  // A Huffman code of n bits, most significant first (as RFC 1951 packs codes).
  BitWriter& Code(uint32_t code, int n) {
    for (int i = n - 1; i >= 0; --i) Put((code >> i) & 1);
    return *this;
  }
  // Pads to a byte boundary with zero bits.
  BitWriter& Align() {
    while (used_ != 0) Put(0);
    return *this;
  }
  BitWriter& Byte(uint8_t b) {
    Align();
    out_ += static_cast<char>(b);
    return *this;
  }
  std::string Done() {
    Align();
    return out_;
  }

 private:
  void Put(int bit) {
    if (used_ == 0) out_ += '\0';
    if (bit) out_.back() = static_cast<char>(out_.back() | (1 << used_));
    used_ = (used_ + 1) & 7;
  }
  std::string out_;
  int used_ = 0;
};

}  // namespace qev::test
