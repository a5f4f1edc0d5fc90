#include <gtest/gtest.h>

#include "win32/Gbk.h"

namespace qev {
namespace {

TEST(Gbk, RoundTripOfChineseText) {
  const std::string gbk =
      "\xd6\xd0\xce\xc4"
      "abc";  // 中文abc
  EXPECT_EQ(GbkToWide(gbk), L"\u4e2d\u6587abc");
  std::string back;
  ASSERT_TRUE(WideToGbk(L"\u4e2d\u6587abc", back));
  EXPECT_EQ(back, gbk);
  EXPECT_EQ(GbkToWide(""), L"");
  ASSERT_TRUE(WideToGbk(L"", back));
  EXPECT_EQ(back, "");
}

TEST(Gbk, InvalidInputIsRefused) {
  EXPECT_EQ(GbkToWide("ab\x81"), L"");  // a lead byte without its trail byte
  std::string out = "stale";
  EXPECT_FALSE(WideToGbk(L"a\u0e01", out));  // a Thai letter has no GBK form
  EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace qev
