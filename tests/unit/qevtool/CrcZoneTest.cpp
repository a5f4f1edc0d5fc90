// crc, zone encode and zone decode.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "config/LauncherConfig.h"

namespace qev::test {
namespace {

TEST(QevtoolCrc, PrintsSignedDecimalPerFileAndFailsOnUnreadable) {
  TempFolder dir;
  WriteFileBytes(dir / "digits", "123456789");
  WriteFileBytes(dir / "empty", "");
  ToolResult r = RunTool({"crc", dir / "digits", dir / "missing", dir / "empty"});
  // 0xCBF43926 is above 2^31 and so travels as a negative number.
  EXPECT_EQ(r.Out, "-873187034\t" + (dir / "digits") + "\n0\t" + (dir / "empty") + "\n");
  EXPECT_EQ(r.Exit, 1);
  EXPECT_NE(r.Err.find("qevtool: cannot read " + (dir / "missing")), std::string::npos);

  EXPECT_EQ(RunTool({"crc", dir.Path()}).Exit, 1);  // a folder is not a file
  EXPECT_EQ(RunTool({"crc"}).Exit, 2);
}

TEST(QevtoolZone, EncodeAndDecodeRoundTripThroughTheLaunchersDecipher) {
  for (std::string text : {"127.0.0.1", "7000", "game.example.test", "电信一区", "x"}) {
    ToolResult enc = RunTool({"zone", "encode", text});
    ASSERT_EQ(enc.Exit, 0) << enc.Err;
    ASSERT_FALSE(enc.Out.empty());
    std::string hex = enc.Out.substr(0, enc.Out.size() - 1);
    EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
    ToolResult dec = RunTool({"zone", "decode", hex});
    EXPECT_EQ(dec.Out, text + "\n");
    // The launcher's own reader sees the GBK bytes of the text.
    if (text == "电信一区")
      EXPECT_EQ(DecodeServerValue(hex), "\xb5\xe7\xd0\xc5\xd2\xbb\xc7\xf8");
    else
      EXPECT_EQ(DecodeServerValue(hex), text);
  }
  // --raw passes bytes: a GBK argument goes in unchanged and comes out unchanged.
  ToolResult raw = RunTool({"--raw", "zone", "encode", "\xd2\xbb"});
  ToolResult back = RunTool({"zone", "decode", "--raw", raw.Out.substr(0, raw.Out.size() - 1)});
  EXPECT_EQ(back.Out, "\xd2\xbb\n");
  // Without --raw the same bytes are not UTF-8: a usage error.
  EXPECT_EQ(RunTool({"zone", "encode", "\xd2\xbb"}).Exit, 2);
}

}  // namespace
}  // namespace qev::test
