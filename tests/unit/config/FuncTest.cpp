#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <random>

#include "config/AddressHelpers.h"
#include "config/Cipher.h"
#include "config/Crc32.h"
#include "config/HexText.h"
#include "config/LauncherConfig.h"
#include "config/TextHelpers.h"
#include "config/UpperCase.h"
#include "tests/fakes/MemFileSystem.h"

namespace qev {
namespace {

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

uint32_t ZlibCrc(const std::string& s) {
  return static_cast<uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

TEST(Crc32, UpdateMatchesZlibAtEveryLengthAndAlignment) {
  const std::string data = RandomBytes(4096 + 64, 1);
  for (size_t offset = 0; offset < 8; ++offset) {
    for (size_t len : {1, 2, 7, 8, 9, 15, 16, 17, 63, 64, 65, 1000, 4096}) {
      uint32_t reg = 0xFFFFFFFFu;
      Crc32Update(data.data() + offset, len, reg);
      EXPECT_EQ(reg ^ 0xFFFFFFFFu, ZlibCrc(data.substr(offset, len))) << offset << "/" << len;
    }
  }
  // The table is the standard one: entry 1 and entry 128 of the reflected polynomial.
  EXPECT_EQ(kCrc32Table[1], 0x77073096u);
  EXPECT_EQ(kCrc32Table[128], 0xEDB88320u);
}

TEST(Crc32, FileResultsAndErrorFlag) {
  test::MemFileSystem fs;
  fs.AddFile("C:\\g\\nine", "123456789");
  fs.AddFile("C:\\g\\empty", "");
  const FileCrcResult nine = FileCrc32(fs, "C:\\g\\nine");
  EXPECT_EQ(nine.Crc, 0xCBF43926u);
  EXPECT_EQ(nine.Error, 0);
  EXPECT_EQ(CrcText(nine.Crc), "-873187034");
  const FileCrcResult empty = FileCrc32(fs, "C:\\g\\empty");
  EXPECT_EQ(empty.Crc, 0u);
  EXPECT_EQ(empty.Error, 0);
  const FileCrcResult missing = FileCrc32(fs, "C:\\g\\missing");
  EXPECT_EQ(missing.Crc, 0u);
  EXPECT_EQ(missing.Error, 1);
  fs.Lock("C:\\g\\nine");
  EXPECT_EQ(FileCrc32(fs, "C:\\g\\nine").Error, 1);
  EXPECT_EQ(CrcText(0xFFFFFFFFu), "-1");
  EXPECT_EQ(CrcText(0x80000000u), "-2147483648");
}

TEST(Crc32, FileLargerThanAnyReadPieceMatchesZlib) {
  test::MemFileSystem fs;
  const std::string data = RandomBytes((3 << 20) + 12345, 2);
  fs.AddFile("C:\\g\\big.bin", data);
  const FileCrcResult r = FileCrc32(fs, "C:\\g\\big.bin");
  EXPECT_EQ(r.Error, 0);
  EXPECT_EQ(r.Crc, ZlibCrc(data));
}

TEST(Cipher, DecipherStepsAndExactInverse) {
  // ServerKey 0x01789B8D: k0 0x8D, k1 0x9B, k2 0x78, k3 0x01. One round over "AB":
  // s1 = (0x41^0x9B)-0x42 = 0x98; s2 = 0x42-0x01 = 0x41; s2 = (0x41^0x8D)-0x98 = 0x34;
  // s1 = 0x98-0x78 = 0x20.
  std::string s = "AB";
  StrDecipher(s, ServerKey, 1);
  EXPECT_EQ(s, "\x20\x34");
  // One byte: only the two single-byte steps, 0x41 - k3 - k2 per round.
  s = "A";
  StrDecipher(s, ServerKey, 2);
  EXPECT_EQ(static_cast<uint8_t>(s[0]), static_cast<uint8_t>(0x41 - 2 * (0x01 + 0x78)));
  s = "unchanged";
  StrDecipher(s, ServerKey, 0);
  StrDecipher(s, ServerKey, -3);
  EXPECT_EQ(s, "unchanged");
  s.clear();
  StrDecipher(s, ServerKey, 21);
  EXPECT_TRUE(s.empty());

  for (size_t n : {1, 2, 3, 16, 255}) {
    const std::string plain = RandomBytes(n, static_cast<unsigned>(n));
    std::string c = plain;
    StrEncipher(c, 0xA1B2C3D4u, 21);
    EXPECT_NE(c, plain);
    StrDecipher(c, 0xA1B2C3D4u, 21);
    EXPECT_EQ(c, plain) << n;
  }
}

TEST(Hex, DecodeStopsOutsideTheDigitRange) {
  EXPECT_EQ(HexToStr("41a"), "A");
  EXPECT_EQ(HexToStr("4142"), "AB");
  EXPECT_EQ(HexToStr("6a6B"), "jk");
  EXPECT_EQ(HexToStr(""), "");
  EXPECT_EQ(HexToStr("41zz42"), std::string("A\0\0", 3));  // "z" lies beyond "f"
  EXPECT_EQ(HexToStr("41 142"), std::string("A\0\0", 3));  // so does a blank, below "0"
  EXPECT_EQ(HexToStr("4G"), std::string("\x40", 1));       // in range, not a digit: 0
  EXPECT_EQ(StrToHex(std::string("\x00\x7f\xff", 3)), "007FFF");
  const std::string all = RandomBytes(256, 3);
  EXPECT_EQ(HexToStr(StrToHex(all)), all);
}

TEST(UpperCase, FixedTable) {
  EXPECT_EQ(UpperCaseTbl("server1"), "SERVER1");
  const std::map<int, int> moved = {{0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C},
                                    {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1},
                                    {0xB3, 0xB2}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
                                    {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};
  for (int b = 0; b < 256; ++b) {
    int want = b;
    if (b >= 'a' && b <= 'z') want = b - 32;
    if (b >= 0xE0) want = b - 0x20;
    if (moved.count(b)) want = moved.at(b);
    EXPECT_EQ(kUpperCaseTbl[b], want) << b;
  }
  EXPECT_EQ(UpperCaseTbl("\xe0\xa1"), UpperCaseTbl("\xc0\xa1"));
}

TEST(TextHelpers, IntToTextPosFromAndReplace) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(-15), "-15");
  EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
  EXPECT_EQ(IntToText(INT32_MAX), "2147483647");

  EXPECT_EQ(PosFrom("b", "abcb", 1), 2u);
  EXPECT_EQ(PosFrom("b", "abcb", 3), 4u);
  EXPECT_EQ(PosFrom("cb", "abcb", 3), 3u);
  EXPECT_EQ(PosFrom("cb", "abcb", 4), 0u);  // beyond length - length(sub) + 1
  EXPECT_EQ(PosFrom("", "abc", 1), 0u);
  EXPECT_EQ(PosFrom("a", "", 1), 0u);
  EXPECT_EQ(PosFrom("abcd", "abc", 1), 0u);
  EXPECT_EQ(PosFrom("B", "abc", 1), 0u);  // exact bytes

  EXPECT_EQ(StrReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(StrReplaceAll("aa", "a", "aa"), "aaaa");
  EXPECT_EQ(StrReplaceAll("x/y/z", "/", "\\"), "x\\y\\z");
  EXPECT_EQ(StrReplaceAll("abc", "", "z"), "abc");
  EXPECT_EQ(StrReplaceAll("abc", "q", "z"), "abc");
  EXPECT_EQ(StrReplaceAll("", "q", "z"), "");
  EXPECT_EQ(StrReplaceAll("abab", "ab", ""), "");
}

TEST(TextHelpers, WideMidCountsDoubleByteCharactersOnce) {
  const std::string s =
      "a\xd6\xd0\xce\xc4"
      "b";  // a, two Chinese characters, b
  EXPECT_EQ(WideMid(s, 2, 1), "\xd6\xd0");
  EXPECT_EQ(WideMid(s, 2, 2), "\xd6\xd0\xce\xc4");
  EXPECT_EQ(WideMid(s, 4, 10), "b");
  EXPECT_EQ(WideMid(s, 5, 1), "");
  EXPECT_EQ(WideMid(s, 1, 0), "");
  EXPECT_EQ(WideMid(s, 0, 1), "a");
  EXPECT_EQ(WideMid("x\xd6", 2, 1), "\xd6");  // a lone lead byte at the end
}

TEST(TextHelpers, DottedQuad) {
  for (const char* good : {"10.0.0.1", "0.0.0.0", "255.255.255.255", "127.000.0.1", "+1.2.3.4"})
    EXPECT_TRUE(IsDottedQuad(good)) << good;
  for (const char* bad : {"256.1.1.1", "1.2.3", "a.b.c.d", "", "1.2.3.4.5", "1..2.3", "1.2.3.",
                          "-1.2.3.4", "1.2.3.4 ", "99999999999.1.1.1", "\xd6\xd0.1.2.3"})
    EXPECT_FALSE(IsDottedQuad(bad)) << bad;
}

class FakeResolver : public HostResolver {
 public:
  bool ResolveHost(const std::string& name, std::string& dotted) override {
    ++calls;
    if (name != "localhost") return false;
    dotted = "127.0.0.1";
    return true;
  }
  int calls = 0;
};

TEST(TextHelpers, HostToIp) {
  FakeResolver r;
  EXPECT_EQ(HostToIp(r, "127.0.0.2"), "127.0.0.2");
  EXPECT_EQ(r.calls, 0);
  EXPECT_EQ(HostToIp(r, "localhost"), "127.0.0.1");
  EXPECT_EQ(HostToIp(r, "no.such.host"), "0.0.0.0");
  EXPECT_EQ(HostToIp(r, "300.0.0.1"), "0.0.0.0");
}

}  // namespace
}  // namespace qev
