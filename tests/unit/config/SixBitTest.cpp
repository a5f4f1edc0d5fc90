#include <gtest/gtest.h>

#include <cstring>

#include "config/SixBit.h"

namespace qev {
namespace {

TEST(SixBit, DecodesLiteralsAndGroups) {
  // Characters below ">" pass unchanged.
  EXPECT_EQ(DecodeSixBit("0123 /:=-"), "0123 /:=-");
  EXPECT_EQ(DecodeSixBit(""), "");
  // Four packed characters give three bytes: "Man" packs as 19,22,5,46 (+62).
  const char man[] = {char(62 + 19), char(62 + 22), char(62 + 5), char(62 + 46), 0};
  EXPECT_EQ(DecodeSixBit(man), "Man");
  // Two and three packed characters carry one and two bytes.
  EXPECT_EQ(DecodeSixBit(std::string(man, 2)), "M");
  EXPECT_EQ(DecodeSixBit(std::string(man, 3)), "Ma");
  // A literal between groups restarts the bit groups.
  EXPECT_EQ(DecodeSixBit(std::string(man) + "/" + man), "Man/Man");
}

TEST(SixBit, EncodingRoundTripsEveryByte) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  for (size_t n : {0u, 1u, 2u, 3u, 4u, 5u, 255u, 256u}) {
    const std::string plain = all.substr(0, n);
    const std::string packed = EncodeSixBit(plain);
    EXPECT_EQ(packed.size(), 4 * (n / 3) + (n % 3 ? n % 3 + 1 : 0));
    for (char c : packed) EXPECT_TRUE(c >= '>' && c <= '}');
    EXPECT_EQ(DecodeSixBit(packed), plain) << n;
  }
}

}  // namespace
}  // namespace qev
