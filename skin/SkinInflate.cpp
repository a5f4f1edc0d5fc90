// Deflate decoding with single-level Huffman tables.
//
// Bits are kept in a 64-bit buffer, next bit lowest. While at least 8 unread input bytes
// remain, a refill loads 8 bytes at once and keeps the buffer at 56 or more bits; 48 bits
// cover one literal/length code with its extra bits (15 + 5) and one distance code with
// its extra bits (15 + 13), so the symbol loop refills once per symbol. Near the end of
// the input the slow path adds bytes one by one and, past the end, zero bytes; a run that
// then consumes any of those zero bits is truncated.
//
// The window holds 64 KiB plus room for one longest match (and a few bytes of slack for
// the 8-byte match copy). Whenever the write position reaches 64 KiB, the first 32 KiB go
// to the sink and the rest moves down.

#include "skin/SkinInflate.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "skin/DeflateTables.h"

namespace qev {
namespace {

constexpr size_t kWindowAlloc = SkinInflater::kWindowMark + 258 + 16;
constexpr size_t kInputAlloc = SkinInflater::kInputSize + 8;

uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
  return v;
}

uint32_t LowBits(uint64_t bits, uint32_t n) {
  return static_cast<uint32_t>(bits) & ((1u << n) - 1);
}

}  // namespace

const char* InflateStatusText(InflateStatus status) {
  switch (status) {
    case InflateStatus::Ok:
      return "ok";
    case InflateStatus::BadBlockType:
      return "invalid block type";
    case InflateStatus::BadStoredLength:
      return "stored block length check failed";
    case InflateStatus::BadHeaderCounts:
      return "too many length or distance codes";
    case InflateStatus::BadCodeLengths:
      return "invalid code lengths";
    case InflateStatus::RepeatWithoutLength:
      return "repeat with no previous length";
    case InflateStatus::RepeatOverrun:
      return "repeat past the code lengths";
    case InflateStatus::MissingCode:
      return "invalid code";
    case InflateStatus::BadLengthSymbol:
      return "invalid length symbol";
    case InflateStatus::BadDistanceSymbol:
      return "invalid distance symbol";
    case InflateStatus::DistanceTooFar:
      return "distance too far back";
    case InflateStatus::Truncated:
      return "unexpected end of data";
    case InflateStatus::OutputTooLong:
      return "output larger than allowed";
    case InflateStatus::ReadFailed:
      return "read error";
    case InflateStatus::WriteFailed:
      return "write error";
  }
  return "?";
}

SkinInflater::SkinInflater(InflateSource& source, InflateSink& sink, uint64_t maxOutput)
    : source_(source), sink_(sink), maxOutput_(maxOutput), window_(new uint8_t[kWindowAlloc]) {
  size_t n = 0;
  if (source_.Whole(in_, n)) {
    inEnd_ = n;
    eof_ = true;
  } else {
    buffer_.reset(new uint8_t[kInputAlloc]);
    in_ = buffer_.get();
  }
}

SkinInflater::~SkinInflater() = default;

bool SkinInflater::FillInput() {
  if (!buffer_) return true;  // the whole input is in place already
  size_t keep = inEnd_ - inPos_;
  std::memmove(buffer_.get(), buffer_.get() + inPos_, keep);
  inPos_ = 0;
  inEnd_ = keep;
  while (!eof_ && inEnd_ < kInputSize) {
    size_t got = 0;
    if (!source_.Read(buffer_.get() + inEnd_, kInputSize - inEnd_, got)) {
      status_ = InflateStatus::ReadFailed;
      return false;
    }
    if (got == 0) eof_ = true;
    inEnd_ += got;
  }
  return true;
}

bool SkinInflater::RefillSlow() {
  // The fast refill may have left copies of later bytes above count_; clear them
  // before adding bytes one at a time.
  bits_ &= count_ == 0 ? 0 : ~uint64_t{0} >> (64 - count_);
  if (!eof_ && inEnd_ - inPos_ < 8 && !FillInput()) return false;
  while (count_ <= 56) {
    uint64_t byte = 0;
    if (inPos_ < inEnd_)
      byte = in_[inPos_++];
    else
      padBits_ += 8;
    bits_ |= byte << count_;
    count_ += 8;
  }
  if (count_ < padBits_) {
    status_ = InflateStatus::Truncated;
    return false;
  }
  return true;
}

bool SkinInflater::Need(unsigned n) {
  if (count_ >= n) return true;
  if (inEnd_ - inPos_ >= 8) {
    bits_ |= Load64(in_ + inPos_) << count_;
    inPos_ += (63 - count_) >> 3;
    count_ |= 56;
    return true;
  }
  return RefillSlow();
}

bool SkinInflater::Flush() {
  if (sent_ < kFlushSize && !sink_.Write(window_.get() + sent_, kFlushSize - sent_)) {
    status_ = InflateStatus::WriteFailed;
    return false;
  }
  written_ += kFlushSize - std::min(sent_, kFlushSize);
  sent_ = 0;
  std::memmove(window_.get(), window_.get() + kFlushSize, pos_ - kFlushSize);
  pos_ -= kFlushSize;
  if (written_ + pos_ > maxOutput_) {
    status_ = InflateStatus::OutputTooLong;
    return false;
  }
  return true;
}

// A long stored run goes from the input to the sink in one piece, after whatever the
// window still holds; its last 32 KiB then become the window's history.
bool SkinInflater::SendDirect(const uint8_t* data, size_t n) {
  if (written_ + (pos_ - sent_) + n > maxOutput_) {
    status_ = InflateStatus::OutputTooLong;
    return false;
  }
  if ((pos_ > sent_ && !sink_.Write(window_.get() + sent_, pos_ - sent_)) ||
      !sink_.Write(data, n)) {
    status_ = InflateStatus::WriteFailed;
    return false;
  }
  written_ += pos_ - sent_ + n;
  pendingHistory_ = data + n - kFlushSize;
  pos_ = sent_ = kFlushSize;
  return true;
}

bool SkinInflater::PutBytes(const uint8_t* data, size_t n) {
  TakeHistory();
  while (n > 0) {
    size_t k = std::min(n, kWindowMark - pos_);
    std::memcpy(window_.get() + pos_, data, k);
    pos_ += k;
    data += k;
    n -= k;
    if (pos_ >= kWindowMark && !Flush()) return false;
  }
  return true;
}

InflateStatus SkinInflater::StoredBlock() {
  Drop(count_ & 7);
  if (!Need(32)) return status_;
  uint32_t len = LowBits(bits_, 16);
  uint32_t nlen = LowBits(bits_ >> 16, 16);
  Drop(32);
  if (Overran()) return Fail(InflateStatus::Truncated);
  if (nlen != (~len & 0xFFFF)) return Fail(InflateStatus::BadStoredLength);
  // Whole bytes still in the bit buffer come first, then the input buffer directly.
  // Input held in place lets them go back instead, so a long block can be sent whole.
  if (!buffer_ && padBits_ == 0) {
    inPos_ -= count_ / 8;
    bits_ = 0;
    count_ = 0;
  }
  while (len > 0 && count_ >= 8) {
    if (count_ < padBits_ + 8) return Fail(InflateStatus::Truncated);
    uint8_t byte = static_cast<uint8_t>(bits_);
    Drop(8);
    if (!PutBytes(&byte, 1)) return status_;
    --len;
  }
  if (len == 0) return InflateStatus::Ok;
  // The bit buffer is empty now (count_ was a multiple of 8); drop the copies of later
  // bytes that a fast refill may have left in it.
  bits_ = 0;
  while (len > 0) {
    if (inPos_ == inEnd_) {
      if (eof_) return Fail(InflateStatus::Truncated);
      if (!FillInput()) return status_;
      continue;
    }
    if (len >= kFlushSize && inEnd_ - inPos_ >= len) {
      if (!SendDirect(in_ + inPos_, len)) return status_;
      inPos_ += len;
      break;
    }
    size_t k = std::min<size_t>({len, inEnd_ - inPos_, kInputSize});
    if (!PutBytes(in_ + inPos_, k)) return status_;
    inPos_ += k;
    len -= static_cast<uint32_t>(k);
  }
  return InflateStatus::Ok;
}

InflateStatus SkinInflater::ReadCodeLengths(uint8_t* lengths, int n) {
  const uint32_t mask = (1u << codeLengthTree_.LongestCode()) - 1;
  int i = 0;
  while (i < n) {
    if (!Need(14)) return status_;  // longest code 7 plus 7 repeat bits
    uint32_t e = codeLengthTree_[static_cast<uint32_t>(bits_) & mask];
    if (e == THuffmanTree::kNoCode) return Fail(InflateStatus::MissingCode);
    uint32_t sym = THuffmanTree::Symbol(e);
    Drop(THuffmanTree::CodeLength(e));
    if (sym < 16) {
      lengths[i++] = static_cast<uint8_t>(sym);
      continue;
    }
    uint8_t value = 0;
    uint32_t repeat;
    if (sym == 16) {
      if (i == 0) return Fail(InflateStatus::RepeatWithoutLength);
      value = lengths[i - 1];
      repeat = 3 + LowBits(bits_, 2);
      Drop(2);
    } else if (sym == 17) {
      repeat = 3 + LowBits(bits_, 3);
      Drop(3);
    } else {
      repeat = 11 + LowBits(bits_, 7);
      Drop(7);
    }
    if (i + static_cast<int>(repeat) > n) return Fail(InflateStatus::RepeatOverrun);
    std::memset(lengths + i, value, repeat);
    i += static_cast<int>(repeat);
  }
  return InflateStatus::Ok;
}

InflateStatus SkinInflater::DynamicBlock() {
  if (!Need(14)) return status_;
  int hlit = static_cast<int>(LowBits(bits_, 5)) + 257;
  int hdist = static_cast<int>(LowBits(bits_ >> 5, 5)) + 1;
  int hclen = static_cast<int>(LowBits(bits_ >> 10, 4)) + 4;
  Drop(14);
  if (Overran()) return Fail(InflateStatus::Truncated);
  if (hlit > deflate::kMaxLitLenCodes || hdist > deflate::kMaxDistanceCodes)
    return Fail(InflateStatus::BadHeaderCounts);

  uint8_t clLengths[deflate::kCodeLengthCodes] = {};
  for (int i = 0; i < hclen; ++i) {
    if (!Need(3)) return status_;
    clLengths[deflate::kCodeLengthOrder[i]] = static_cast<uint8_t>(LowBits(bits_, 3));
    Drop(3);
  }
  if (!codeLengthTree_.BuildTable(clLengths, 0, deflate::kCodeLengthCodes,
                                  deflate::kCodeLengthCodes, nullptr))
    return Fail(InflateStatus::BadCodeLengths);

  uint8_t lengths[deflate::kMaxLitLenCodes + deflate::kMaxDistanceCodes];
  if (ReadCodeLengths(lengths, hlit + hdist) != InflateStatus::Ok) return status_;
  if (Overran()) return Fail(InflateStatus::Truncated);
  if (lengths[deflate::kEndOfBlock] == 0) return Fail(InflateStatus::BadCodeLengths);
  if (!literalTree_.BuildTable(lengths, 0, hlit, deflate::kFirstLengthSymbol,
                               deflate::kLengthExtra.data()) ||
      !distanceTree_.BuildTable(lengths, hlit, hdist, 0, deflate::kDistanceExtra.data()))
    return Fail(InflateStatus::BadCodeLengths);
  return DecodeBlock(literalTree_, distanceTree_);
}

// The hot loop keeps the bit buffer and the window position in locals: the window is
// written through a byte pointer, which the compiler must assume may alias any member.
InflateStatus SkinInflater::DecodeBlock(const THuffmanTree& lit, const THuffmanTree& dist) {
  TakeHistory();
  const uint32_t* const lt = lit.Table();
  const uint32_t* const dt = dist.Table();
  const uint32_t lmask = (1u << lit.LongestCode()) - 1;
  const uint32_t dmask = (1u << dist.LongestCode()) - 1;
  uint8_t* const win = window_.get();
  const uint8_t* in = in_;

  uint64_t bits = bits_;
  unsigned count = count_;
  size_t pos = pos_, inPos = inPos_, inEnd = inEnd_;
  auto save = [&] {
    bits_ = bits;
    count_ = count;
    pos_ = pos;
    inPos_ = inPos;
  };
  auto load = [&] {
    bits = bits_;
    count = count_;
    pos = pos_;
    inPos = inPos_;
    inEnd = inEnd_;
    in = in_;
  };

  for (;;) {
    if (count < 48) {
      if (inEnd - inPos >= 8) {
        bits |= Load64(in + inPos) << count;
        inPos += (63 - count) >> 3;
        count |= 56;
      } else {
        save();
        if (!RefillSlow()) return status_;
        load();
      }
    }
    uint32_t e = lt[static_cast<uint32_t>(bits) & lmask];
    if (e == THuffmanTree::kNoCode) return Fail(InflateStatus::MissingCode);
    uint32_t sym = e & 0xFFFF;
    uint32_t len = (e >> 16) & 0xFF;
    if (sym < 256) {
      bits >>= len;
      count -= len;
      win[pos++] = static_cast<uint8_t>(sym);
      // A second literal fits in the bits left after the refill (56 - 15 > 15).
      e = lt[static_cast<uint32_t>(bits) & lmask];
      if ((e & 0xFFFF) < 256) {
        bits >>= (e >> 16) & 0xFF;
        count -= (e >> 16) & 0xFF;
        win[pos++] = static_cast<uint8_t>(e);
      }
      if (pos >= kWindowMark) {
        save();
        if (!Flush()) return status_;
        load();
      }
      continue;
    }
    if (sym == deflate::kEndOfBlock) {
      bits >>= len;
      count -= len;
      save();
      return InflateStatus::Ok;
    }
    if (sym > deflate::kLastLengthSymbol) return Fail(InflateStatus::BadLengthSymbol);
    uint32_t extra = e >> 24;
    uint32_t length =
        deflate::kLengthBase[sym - deflate::kFirstLengthSymbol] + LowBits(bits >> len, extra);
    bits >>= len + extra;
    count -= len + extra;

    e = dt[static_cast<uint32_t>(bits) & dmask];
    if (e == THuffmanTree::kNoCode) return Fail(InflateStatus::MissingCode);
    sym = e & 0xFFFF;
    if (sym > deflate::kLastDistanceSymbol) return Fail(InflateStatus::BadDistanceSymbol);
    len = (e >> 16) & 0xFF;
    extra = e >> 24;
    uint32_t distance = deflate::kDistanceBase[sym] + LowBits(bits >> len, extra);
    bits >>= len + extra;
    count -= len + extra;
    if (distance > pos) return Fail(InflateStatus::DistanceTooFar);

    uint8_t* dst = win + pos;
    const uint8_t* src = dst - distance;
    if (distance >= 8) {
      // Each 8-byte step reads only bytes written before it; the last may run up to 7
      // bytes past the match into the window's slack.
      for (uint32_t done = 0; done < length; done += 8) std::memcpy(dst + done, src + done, 8);
    } else if (distance == 1) {
      std::memset(dst, src[0], length);  // a run of one byte
    } else {
      for (uint32_t i = 0; i < length; ++i) dst[i] = src[i];
    }
    pos += length;
    if (pos >= kWindowMark) {
      save();
      if (!Flush()) return status_;
      load();
    }
  }
}

InflateStatus SkinInflater::Run() {
  bool final = false;
  while (!final) {
    if (!Need(3)) return status_;
    final = bits_ & 1;
    uint32_t type = LowBits(bits_ >> 1, 2);
    Drop(3);
    if (Overran()) return Fail(InflateStatus::Truncated);
    InflateStatus s;
    switch (type) {
      case 0:
        s = StoredBlock();
        break;
      case 1:
        s = DecodeBlock(FixedLiteralTree(), FixedDistanceTree());
        break;
      case 2:
        s = DynamicBlock();
        break;
      default:
        s = Fail(InflateStatus::BadBlockType);
        break;
    }
    if (s != InflateStatus::Ok) return s;
    if (Overran()) return Fail(InflateStatus::Truncated);
  }
  if (written_ + pos_ - sent_ > maxOutput_) return Fail(InflateStatus::OutputTooLong);
  if (pos_ > sent_ && !sink_.Write(window_.get() + sent_, pos_ - sent_))
    return Fail(InflateStatus::WriteFailed);
  written_ += pos_ - sent_;
  pos_ = sent_ = 0;
  return InflateStatus::Ok;
}

namespace {

class MemorySource : public InflateSource {
 public:
  explicit MemorySource(std::string_view data) : data_(data) {}
  bool Whole(const uint8_t*& data, size_t& n) override {
    data = reinterpret_cast<const uint8_t*>(data_.data());
    n = data_.size();
    data_ = {};
    return true;
  }
  bool Read(uint8_t* buf, size_t n, size_t& got) override {
    got = std::min(n, data_.size());
    std::memcpy(buf, data_.data(), got);
    data_.remove_prefix(got);
    return true;
  }

 private:
  std::string_view data_;
};

class AppendToString : public InflateSink {
 public:
  explicit AppendToString(std::string& out) : out_(out) {}
  bool Write(const uint8_t* data, size_t n) override {
    out_.append(reinterpret_cast<const char*>(data), n);
    return true;
  }

 private:
  std::string& out_;
};

}  // namespace

InflateStatus InflateBuffer(std::string_view input, uint64_t maxOutput, std::string& out) {
  out.clear();
  MemorySource source(input);
  AppendToString sink(out);
  SkinInflater inflater(source, sink, maxOutput);
  return inflater.Run();
}

}  // namespace qev
