#include <gtest/gtest.h>
#include <libdeflate.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "BitWriter.h"
#include "skin/HuffmanTree.h"
#include "skin/SkinInflate.h"

namespace qev {
namespace {

using test::BitWriter;

constexpr uint64_t kNoLimit = UINT64_MAX;

// Text with long-range repeats, random bytes and runs: every block type and match
// distances up to 32 KiB, across many window flushes.
std::string MixedData(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string s;
  const char* words[] = {"server", "zone", "patch",     "skin", "launcher",
                         "=",      "\r\n", "[Options]", "1024"};
  while (s.size() < size) {
    switch (rng() % 4) {
      case 0:
        for (int i = 0; i < 200; ++i) s += words[rng() % 9];
        break;
      case 1:
        for (int i = 0; i < 3000; ++i) s += static_cast<char>(rng());
        break;
      case 2:
        s.append(rng() % 5000, static_cast<char>(rng()));
        break;
      default:
        if (s.size() > 40000) {
          size_t from = s.size() - 1 - rng() % 32768;
          s += s.substr(from, rng() % 20000);
        }
    }
  }
  s.resize(size);
  return s;
}

std::string ZlibRaw(const std::string& data, int level, int strategy = Z_DEFAULT_STRATEGY) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
  std::string out(deflateBound(&z, data.size()) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string LibdeflateRaw(const std::string& data, int level) {
  libdeflate_compressor* c = libdeflate_alloc_compressor(level);
  std::string out(libdeflate_deflate_compress_bound(c, data.size()), '\0');
  out.resize(libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size()));
  libdeflate_free_compressor(c);
  return out;
}

// Feeds the decoder a few bytes per read, so every refill path meets the input's end.
class TrickleSource : public InflateSource {
 public:
  TrickleSource(std::string_view data, size_t step) : data_(data), step_(step) {}
  bool Read(uint8_t* buf, size_t n, size_t& got) override {
    got = std::min({n, step_, data_.size()});
    std::copy_n(data_.data(), got, buf);
    data_.remove_prefix(got);
    return true;
  }

 private:
  std::string_view data_;
  size_t step_;
};

class CollectSink : public InflateSink {
 public:
  bool Write(const uint8_t* data, size_t n) override {
    out.append(reinterpret_cast<const char*>(data), n);
    return true;
  }
  std::string out;
};

void ExpectDecodes(const std::string& stream, const std::string& expected, const char* what) {
  std::string out;
  ASSERT_EQ(InflateBuffer(stream, kNoLimit, out), InflateStatus::Ok) << what;
  ASSERT_EQ(out.size(), expected.size()) << what;
  EXPECT_TRUE(out == expected) << what;
}

TEST(SkinInflate, DecodesZlibStreamsOfEveryLevelAndStrategyByteForByte) {
  const std::string data = MixedData(700000, 1);
  struct {
    int level, strategy;
    const char* what;
  } cases[] = {
      {0, Z_DEFAULT_STRATEGY, "stored"},  {1, Z_DEFAULT_STRATEGY, "level 1"},
      {6, Z_DEFAULT_STRATEGY, "level 6"}, {9, Z_DEFAULT_STRATEGY, "level 9"},
      {9, Z_FIXED, "fixed blocks only"},  {6, Z_HUFFMAN_ONLY, "literals only"},
      {6, Z_RLE, "distance 1 matches"},
  };
  for (const auto& c : cases) ExpectDecodes(ZlibRaw(data, c.level, c.strategy), data, c.what);
  ExpectDecodes(ZlibRaw("", 6), "", "empty input");
}

// Long stored blocks followed by matches that reach back into them.
TEST(SkinInflate, MatchesReachIntoAnEarlierStoredBlock) {
  const std::string first = MixedData(200000, 8);
  const std::string second =
      first.substr(first.size() - 30000) + first.substr(first.size() - 20000);
  z_stream z{};
  ASSERT_EQ(deflateInit2(&z, 0, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
  std::string out(1 << 20, '\0');
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(first.data()));
  z.avail_in = static_cast<uInt>(first.size());
  ASSERT_EQ(deflate(&z, Z_NO_FLUSH), Z_OK);
  ASSERT_EQ(deflateParams(&z, 9, Z_DEFAULT_STRATEGY), Z_OK);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(second.data()));
  z.avail_in = static_cast<uInt>(second.size());
  ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  ASSERT_LT(out.size(), first.size() + 20000);  // the second part was matched, not stored
  ExpectDecodes(out, first + second, "stored then matched");
  TrickleSource src(out, 5000);
  CollectSink sink;
  SkinInflater inflater(src, sink, kNoLimit);
  ASSERT_EQ(inflater.Run(), InflateStatus::Ok);
  EXPECT_TRUE(sink.out == first + second);
}

TEST(SkinInflate, DecodesLibdeflateStreamsByteForByte) {
  const std::string data = MixedData(500000, 2);
  for (int level : {1, 6, 12}) ExpectDecodes(LibdeflateRaw(data, level), data, "libdeflate");
}

TEST(SkinInflate, DecodesZopfliStreamByteForByte) {
  if (std::system("command -v zopfli >/dev/null 2>&1") != 0) GTEST_SKIP() << "zopfli not installed";
  const std::string data = MixedData(200000, 3);
  char dir[] = "/tmp/zopfliXXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string path = std::string(dir) + "/in.bin";
  std::ofstream(path, std::ios::binary) << data;
  ASSERT_EQ(std::system(("zopfli --deflate --i5 " + path).c_str()), 0);
  std::ifstream f(path + ".deflate", std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  ExpectDecodes(ss.str(), data, "zopfli");
  std::system(("rm -rf " + std::string(dir)).c_str());
}

TEST(SkinInflate, InputArrivingInSmallPiecesDecodesTheSame) {
  const std::string data = MixedData(150000, 4);
  for (const std::string& stream : {ZlibRaw(data, 9), ZlibRaw(data, 0)}) {
    for (size_t step : {1, 3, 7, 4096}) {
      TrickleSource src(stream, step);
      CollectSink sink;
      SkinInflater inflater(src, sink, kNoLimit);
      ASSERT_EQ(inflater.Run(), InflateStatus::Ok) << step;
      EXPECT_TRUE(sink.out == data) << step;
      EXPECT_EQ(inflater.Written(), data.size());
    }
  }
}

TEST(SkinInflate, WindowFlushesInPiecesOf32KiB) {
  const std::string data = MixedData(200000, 5);
  std::string stream = ZlibRaw(data, 6);
  struct Sizes : InflateSink {
    std::vector<size_t> n;
    bool Write(const uint8_t*, size_t k) override {
      n.push_back(k);
      return true;
    }
  } sink;
  TrickleSource src(stream, 1 << 20);
  SkinInflater inflater(src, sink, kNoLimit);
  ASSERT_EQ(inflater.Run(), InflateStatus::Ok);
  ASSERT_GE(sink.n.size(), 2u);
  for (size_t i = 0; i + 1 < sink.n.size(); ++i) EXPECT_EQ(sink.n[i], 32768u);
  EXPECT_EQ(sink.n.back(), data.size() - 32768 * (sink.n.size() - 1));
}

// A dynamic block spelled out by hand whose repeat code 16 runs from the last
// literal/length lengths into the distance lengths.
TEST(SkinInflate, RepeatCodeCrossingIntoDistanceLengthsDecodes) {
  BitWriter w;
  w.Bits(1, 1).Bits(2, 2);  // BFINAL, BTYPE = dynamic
  w.Bits(258 - 257, 5);     // HLIT: literal/length symbols 0..257
  w.Bits(3 - 1, 5);         // HDIST: distance symbols 0..2
  w.Bits(16 - 4, 4);        // HCLEN: 16 code-length code lengths
  // Code-length code lengths in the order 16 17 18 0 8 7 9 6 10 5 11 4 12 3 13 2:
  // symbols 2, 3, 16, 18 get length 2, so their codes are 00, 01, 10, 11.
  for (int len : {2, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2}) w.Bits(len, 3);
  w.Code(3, 2).Bits(97 - 11, 7);       // 18: 97 zero lengths (symbols 0..96)
  w.Code(0, 2).Code(0, 2).Code(0, 2);  // 'a' 'b' 'c' get length 2
  w.Code(3, 2).Bits(138 - 11, 7);      // 18: 138 zero lengths (100..237)
  w.Code(3, 2).Bits(18 - 11, 7);       // 18: 18 zero lengths (238..255)
  w.Code(1, 2);                        // 256 gets length 3
  w.Code(2, 2).Bits(4 - 3, 2);         // 16: four more of length 3: 257, then distances 0, 1, 2
  // Literal/length codes: a=00 b=01 c=10, 256=110, 257=111; distances 0=000 1=001 2=010.
  w.Code(0, 2).Code(1, 2).Code(2, 2);  // "abc"
  w.Code(7, 3).Code(2, 3);             // length 3, distance symbol 2 = distance 3
  w.Code(6, 3);                        // end of block
  ExpectDecodes(w.Done(), "abcabc", "hand-made dynamic block");
}

TEST(SkinInflate, StoredBlocksAfterBitsOfAnotherBlockStartOnAByteBoundary) {
  BitWriter w;
  w.Bits(0, 1).Bits(1, 2);               // fixed block, not final
  w.Code(0x30 + 'x', 8);                 // literal 'x' (fixed code 00110000 + byte)
  w.Code(0, 7);                          // end of block
  w.Bits(1, 1).Bits(0, 2).Align();       // final stored block, padded to the byte
  w.Bits(3, 16).Bits(~3u & 0xFFFF, 16);  // LEN 3, NLEN
  w.Byte('y').Byte('z').Byte('!');
  ExpectDecodes(w.Done(), "xyz!", "fixed then stored");
}

struct BadStream {
  int line;
  const char* what;
  std::string stream;
  InflateStatus expected;
};

std::vector<BadStream> BadStreams() {
  std::vector<BadStream> v;
  v.push_back({__LINE__, "block type 3", BitWriter().Bits(1, 1).Bits(3, 2).Done(),
               InflateStatus::BadBlockType});
  v.push_back({__LINE__, "stored length check",
               BitWriter().Bits(1, 1).Bits(0, 2).Align().Bits(5, 16).Bits(5, 16).Done(),
               InflateStatus::BadStoredLength});
  v.push_back({__LINE__, "HLIT 287",
               BitWriter().Bits(1, 1).Bits(2, 2).Bits(30, 5).Bits(0, 5).Bits(0, 4).Done(),
               InflateStatus::BadHeaderCounts});
  v.push_back({__LINE__, "HDIST 31",
               BitWriter().Bits(1, 1).Bits(2, 2).Bits(0, 5).Bits(30, 5).Bits(0, 4).Done(),
               InflateStatus::BadHeaderCounts});
  // Code-length code: symbols 16, 17, 18 and 0 all of length 1, four codes in a
  // space of two.
  v.push_back({__LINE__, "over-subscribed code-length code",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(0, 4)
                   .Bits(1, 3)
                   .Bits(1, 3)
                   .Bits(1, 3)
                   .Bits(1, 3)
                   .Done(),
               InflateStatus::BadCodeLengths});
  // Code-length code: 16 and 0 of length 1 (0 = "0", 16 = "1"); the first symbol is 16.
  v.push_back({__LINE__, "repeat 16 first",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(0, 4)
                   .Bits(1, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(1, 3)
                   .Code(1, 1)
                   .Bits(0, 2)
                   .Done(),
               InflateStatus::RepeatWithoutLength});
  // Code-length code: 18 and 0 of length 1 (0 = "0", 18 = "1"); two runs of 138 zeros
  // exceed the 257 + 1 lengths of the header.
  v.push_back({__LINE__, "repeat past HLIT + HDIST",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(0, 4)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(1, 3)
                   .Bits(1, 3)
                   .Code(1, 1)
                   .Bits(127, 7)
                   .Code(1, 1)
                   .Bits(127, 7)
                   .Done(),
               InflateStatus::RepeatOverrun});
  // Code-length code: only symbol 0, length 1 ("0"); the input then sends "1".
  v.push_back({__LINE__, "code no table entry holds",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(0, 4)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(1, 3)
                   .Code(1, 1)
                   .Done(),
               InflateStatus::MissingCode});
  // Code-length code: 0 = "0", 1 = "10", 18 = "11" (18 and 0 length 1 would not fit 1).
  // Lengths: 256 zeros, then 256 gets 0 too: no end-of-block code.
  v.push_back({__LINE__, "no end-of-block code",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(14, 4)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(2, 3)
                   .Bits(1, 3)  // 16 17 18 0
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)  // 8 7 9 6 10 5
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)  // 11 4 12 3 13 2
                   .Bits(0, 3)
                   .Bits(2, 3)  // 14 1
                   .Code(3, 2)
                   .Bits(127, 7)
                   .Code(3, 2)
                   .Bits(107, 7)  // 138 + 118 zeros
                   .Code(0, 1)
                   .Code(2, 2)
                   .Done(),  // 256: 0, distance 0: 1
               InflateStatus::BadCodeLengths});
  // Same code-length code; three literal lengths of 1 over-subscribe the tree.
  v.push_back({__LINE__, "over-subscribed literal/length code",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(2, 2)
                   .Bits(0, 5)
                   .Bits(0, 5)
                   .Bits(14, 4)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(2, 3)
                   .Bits(1, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(0, 3)
                   .Bits(2, 3)
                   .Code(2, 2)
                   .Code(2, 2)
                   .Code(2, 2)  // symbols 0, 1, 2: length 1
                   .Code(3, 2)
                   .Bits(127, 7)
                   .Code(3, 2)
                   .Bits(104, 7)  // 3..255 zero
                   .Code(2, 2)
                   .Code(2, 2)
                   .Done(),  // 256, distance 0: length 1
               InflateStatus::BadCodeLengths});
  // Fixed block; 286 is "11000110" in the fixed literal/length code.
  v.push_back({__LINE__, "length symbol 286",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(0xC6, 8).Done(),
               InflateStatus::BadLengthSymbol});
  v.push_back({__LINE__, "length symbol 287",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(0xC7, 8).Done(),
               InflateStatus::BadLengthSymbol});
  // Fixed block: literal 'a' (00110000 + 0x61), length 3 (257 = "0000001"), distance
  // symbol 30 ("11110").
  v.push_back({__LINE__, "distance symbol 30",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(0x30 + 'a', 8).Code(1, 7).Code(30, 5).Done(),
               InflateStatus::BadDistanceSymbol});
  v.push_back({__LINE__, "distance symbol 31",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(0x30 + 'a', 8).Code(1, 7).Code(31, 5).Done(),
               InflateStatus::BadDistanceSymbol});
  // Fixed block: literal 'a', length 3, distance symbol 1 = distance 2 with one byte out.
  v.push_back({__LINE__, "distance before the output start",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(0x30 + 'a', 8).Code(1, 7).Code(1, 5).Done(),
               InflateStatus::DistanceTooFar});
  v.push_back({__LINE__, "match as the first symbol",
               BitWriter().Bits(1, 1).Bits(1, 2).Code(1, 7).Code(0, 5).Done(),
               InflateStatus::DistanceTooFar});
  // Fixed block with no end: the zero bits after it would read as end-of-block.
  v.push_back({__LINE__, "fixed block cut off", BitWriter().Bits(1, 1).Bits(1, 2).Done(),
               InflateStatus::Truncated});
  v.push_back({__LINE__, "empty input", std::string(), InflateStatus::Truncated});
  v.push_back({__LINE__, "stored block cut off",
               BitWriter()
                   .Bits(1, 1)
                   .Bits(0, 2)
                   .Align()
                   .Bits(10, 16)
                   .Bits(~10u & 0xFFFF, 16)
                   .Byte('a')
                   .Done(),
               InflateStatus::Truncated});
  v.push_back({__LINE__, "non-final block then nothing",
               BitWriter().Bits(0, 1).Bits(1, 2).Code(0, 7).Done(), InflateStatus::Truncated});
  return v;
}

TEST(SkinInflate, EveryKindOfMalformedStreamFailsWithItsOwnStatus) {
  for (const BadStream& b : BadStreams()) {
    std::string out;
    EXPECT_EQ(InflateBuffer(b.stream, kNoLimit, out), b.expected)
        << "line " << b.line << ": " << b.what << " gave "
        << InflateStatusText(InflateBuffer(b.stream, kNoLimit, out));
  }
}

TEST(SkinInflate, RealStreamCutShortOrCorruptedStopsCleanly) {
  const std::string data = MixedData(300000, 6);
  const std::string stream = ZlibRaw(data, 6);
  std::string out;
  for (size_t cut : {stream.size() / 3, stream.size() - 1}) {
    EXPECT_EQ(InflateBuffer(stream.substr(0, cut), kNoLimit, out), InflateStatus::Truncated) << cut;
  }
  // Flipped bits must never crash or run past a buffer; most give an error status.
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    std::string bad = stream;
    bad[rng() % bad.size()] ^= static_cast<char>(1 << (rng() % 8));
    InflateStatus s = InflateBuffer(bad, 1 << 20, out);
    if (s == InflateStatus::Ok) {
      EXPECT_LE(out.size(), 1u << 20);
    }
  }
}

TEST(SkinInflate, OutputBeyondTheLimitStops) {
  const std::string zeros(8 << 20, '\0');
  std::string out;
  EXPECT_EQ(InflateBuffer(ZlibRaw(zeros, 9), 1 << 20, out), InflateStatus::OutputTooLong);
  EXPECT_LE(out.size(), (1u << 20) + 65536);
  // Long stored blocks are checked against the limit too, and cut ones stop as truncated.
  const std::string stored = ZlibRaw(MixedData(200000, 9), 0);
  EXPECT_EQ(InflateBuffer(stored, 100000, out), InflateStatus::OutputTooLong);
  EXPECT_EQ(InflateBuffer(stored.substr(0, 150000), kNoLimit, out), InflateStatus::Truncated);
  EXPECT_EQ(InflateBuffer(ZlibRaw("abc", 9), 2, out), InflateStatus::OutputTooLong);
  EXPECT_EQ(InflateBuffer(ZlibRaw("abc", 9), 3, out), InflateStatus::Ok);
}

TEST(HuffmanTree, FixedTreesAndTableEntries) {
  const THuffmanTree& lit = FixedLiteralTree();
  EXPECT_EQ(lit.LongestCode(), 9);
  // 256 is the 7-bit code 0000000: every index with seven low zero bits holds it.
  EXPECT_EQ(lit[0], 256u | 7u << 16);
  EXPECT_EQ(lit[0x80], 256u | 7u << 16);
  // 265 (code 0001001, reversed 1001000) carries one extra bit.
  EXPECT_EQ(lit[0x48], 265u | 7u << 16 | 1u << 24);
  const THuffmanTree& dist = FixedDistanceTree();
  EXPECT_EQ(dist.LongestCode(), 5);
  EXPECT_EQ(dist[0b01100], 6u | 5u << 16 | 2u << 24);  // symbol 6 = 00110, reversed 01100

  // An incomplete code leaves unreached indexes empty; an over-full one is refused.
  THuffmanTree t(7);
  const uint8_t oneCode[] = {0, 2};
  ASSERT_TRUE(t.BuildTable(oneCode, 0, 2, 2, nullptr));
  EXPECT_EQ(t[0], 1u | 2u << 16);
  EXPECT_EQ(t[1], THuffmanTree::kNoCode);
  const uint8_t tooMany[] = {1, 1, 1};
  EXPECT_FALSE(t.BuildTable(tooMany, 0, 3, 3, nullptr));
  const uint8_t tooLong[] = {8, 1};
  EXPECT_FALSE(t.BuildTable(tooLong, 0, 2, 2, nullptr));
}

}  // namespace
}  // namespace qev
