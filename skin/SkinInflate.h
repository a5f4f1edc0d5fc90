#pragma once
// The skin reader's own Deflate decoder (RFC 1951), independent of any library.
//
// Input is pulled from an InflateSource through a 16 KiB buffer; decoded bytes go into a
// 64 KiB window that hands its first 32 KiB to an InflateSink whenever the write position
// reaches the 64 KiB mark, so at least 32 KiB of history always stays for matches.
// Every kind of malformed data ends the run with its own status; the decoder never
// reads or writes outside its buffers, and a stream that keeps asking for input after
// its end stops as Truncated instead of decoding the zero padding.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "skin/HuffmanTree.h"

namespace qev {

enum class InflateStatus {
  Ok,
  BadBlockType,         // block type 3
  BadStoredLength,      // NLEN is not the complement of LEN
  BadHeaderCounts,      // HLIT above 286 or HDIST above 30
  BadCodeLengths,       // lengths over-subscribe a tree, or no end-of-block code
  RepeatWithoutLength,  // code-length symbol 16 before any length
  RepeatOverrun,        // a repeat runs past HLIT + HDIST lengths
  MissingCode,          // input bits that no code of the tree matches
  BadLengthSymbol,      // literal/length symbol 286 or 287
  BadDistanceSymbol,    // distance symbol 30 or 31
  DistanceTooFar,       // a match reaching before the start of the output
  Truncated,            // the input ended before the final block did
  OutputTooLong,        // more output than the caller allows
  ReadFailed,
  WriteFailed,
};

const char* InflateStatusText(InflateStatus status);

class InflateSource {
 public:
  virtual ~InflateSource() = default;
  // Up to n bytes into buf; got 0 at the end. False on a read error.
  virtual bool Read(uint8_t* buf, size_t n, size_t& got) = 0;
  // A source whose input already lies whole in memory may hand it over here instead,
  // once, before any Read; the decoder then reads it in place.
  virtual bool Whole(const uint8_t*& data, size_t& n) { return false; }
};

class InflateSink {
 public:
  virtual ~InflateSink() = default;
  virtual bool Write(const uint8_t* data, size_t n) = 0;
};

class SkinInflater {
 public:
  static constexpr size_t kInputSize = 16384;
  static constexpr size_t kWindowMark = 65536;
  static constexpr size_t kFlushSize = 32768;

  // maxOutput bounds the bytes decoded (a compression bomb stops as OutputTooLong).
  SkinInflater(InflateSource& source, InflateSink& sink, uint64_t maxOutput);
  ~SkinInflater();

  InflateStatus Run();
  // Bytes handed to the sink so far.
  uint64_t Written() const { return written_; }

 private:
  bool Need(unsigned n);
  bool RefillSlow();
  bool FillInput();
  void Drop(unsigned n) {
    bits_ >>= n;
    count_ -= n;
  }
  // True once the run has used any of the zero bits added after the input's end.
  bool Overran() const { return count_ < padBits_; }
  bool Flush();
  bool PutBytes(const uint8_t* data, size_t n);
  bool SendDirect(const uint8_t* data, size_t n);
  void TakeHistory() {
    if (pendingHistory_) std::memcpy(window_.get(), pendingHistory_, kFlushSize);
    pendingHistory_ = nullptr;
  }
  InflateStatus Fail(InflateStatus s) { return status_ = s; }
  InflateStatus StoredBlock();
  InflateStatus DynamicBlock();
  InflateStatus ReadCodeLengths(uint8_t* lengths, int n);
  InflateStatus DecodeBlock(const THuffmanTree& lit, const THuffmanTree& dist);

  InflateSource& source_;
  InflateSink& sink_;
  uint64_t maxOutput_;
  uint64_t written_ = 0;
  InflateStatus status_ = InflateStatus::Ok;

  std::unique_ptr<uint8_t[]> buffer_;
  const uint8_t* in_ = nullptr;  // buffer_, or the source's own memory
  size_t inPos_ = 0, inEnd_ = 0;
  bool eof_ = false;
  uint64_t bits_ = 0;     // bits not yet used, next bit lowest
  unsigned count_ = 0;    // how many of them are valid
  unsigned padBits_ = 0;  // zero bits appended after the input ended

  std::unique_ptr<uint8_t[]> window_;
  size_t pos_ = 0;
  size_t sent_ = 0;  // leading window bytes the sink already has (after a stored copy)
  // After a stored copy the window's history still lies in the input; it is copied
  // in only when something else needs the window.
  const uint8_t* pendingHistory_ = nullptr;

  THuffmanTree codeLengthTree_{7}, literalTree_{15}, distanceTree_{15};
};

// Decodes a whole raw Deflate stream held in memory.
InflateStatus InflateBuffer(std::string_view input, uint64_t maxOutput, std::string& out);

}  // namespace qev
