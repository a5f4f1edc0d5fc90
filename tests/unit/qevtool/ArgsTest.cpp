// args encode and decode against the launcher's unpacking.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "config/SixBit.h"

namespace qev::test {
namespace {

TEST(QevtoolArgs, EncodedTextUnpacksToTheTextInTheLauncher) {
  for (std::string text :
       {"-Direct3D -Window", "a", "ab", "abc", "server=127.0.0.1 port=7000", "登录 ok"}) {
    ToolResult enc = RunTool({"args", "encode", text});
    ASSERT_EQ(enc.Exit, 0) << enc.Err;
    std::string packed = enc.Out.substr(0, enc.Out.size() - 1);
    // Packed text is printable: it lives in the launcher's built-in data.
    for (char c : packed) EXPECT_TRUE(c >= '>' && c < 127) << packed;
    ToolResult dec = RunTool({"args", "decode", packed});
    EXPECT_EQ(dec.Out, text + "\n");
  }
  ToolResult gbk = RunTool({"args", "encode", "登录"});
  EXPECT_EQ(DecodeSixBit(gbk.Out.substr(0, gbk.Out.size() - 1)), "\xb5\xc7\xc2\xbc");
  // Characters below ">" are taken literally by the launcher.
  EXPECT_EQ(RunTool({"args", "decode", "--", "-1 2"}).Out, "-1 2\n");
  EXPECT_EQ(RunTool({"args", "encode"}).Exit, 2);
}

}  // namespace
}  // namespace qev::test
