// --raw on Linux: path bytes go to the host unchanged, so a GBK name is a GBK name on
// disk, even when the second byte of one of its characters is the byte of "\".

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "zip/ZipWriter.h"

namespace qev::test {
namespace {

const std::string kTrail5C = "\x95\x5c";  // one GBK character whose second byte is "\"

TEST(QevtoolRaw, GbkNamesWithABackslashByteStayOneName) {
  TempFolder dir;
  ZipWriter zip;
  zip.AddDeflated(ZipWriterEntry{"Data\\" + kTrail5C + ".txt"}, "alpha");
  WriteFileBytes(dir / "p.zip", zip.Finish());

  // The member lands under its GBK bytes, not split at its second byte.
  ToolResult r = RunTool({"--raw", "zip", "extract", dir / "p.zip", dir / "out\\"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "1\n");
  EXPECT_EQ(FolderNames(dir / "out"), std::vector<std::string>{kTrail5C + ".txt"});

  // A path argument holding such a character names that file; a plain "\" in the
  // same argument still separates folders.
  WriteFileBytes(dir / (kTrail5C + "9"), "123456789");
  ToolResult crc = RunTool({"--raw", "crc", dir.Path() + "\\" + kTrail5C + "9"});
  EXPECT_EQ(crc.Exit, 0) << crc.Err;
  EXPECT_EQ(crc.Out.rfind("-873187034\t", 0), 0u) << crc.Out;

  // Without --raw the archive's GBK name is written as the host's UTF-8 name.
  ToolResult utf8 = RunTool({"zip", "extract", dir / "p.zip", dir / "u/"});
  ASSERT_EQ(utf8.Exit, 0) << utf8.Err;
  EXPECT_EQ(FolderNames(dir / "u"), std::vector<std::string>{"\xe6\x98\x9e.txt"});  // 昞.txt
}

}  // namespace
}  // namespace qev::test
