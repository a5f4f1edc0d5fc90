// ini run, get and set through the launcher's INI class.

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace qev::test {
namespace {

TEST(QevtoolIni, RunAppliesOperationsInOrderAndPrintsReads) {
  TempFolder dir;
  std::string ini = dir / "Config.ini";
  const std::string original =
      "; kept\r\n[Options]\r\nServerAddr = 1.2.3.4 ; "
      "old\r\nParam1=0x10\r\nFull=1\r\n\r\n[Other]\r\nk=v\r\n";
  WriteFileBytes(ini, original);
  ToolResult r = RunTool({"ini", "run", ini},
                         "get\tOptions\tServerAddr\n"
                         "getint\tOptions\tParam1\t-1\n"
                         "getbool\tOptions\tFull\t0\n"
                         "getbool\tOptions\tMissing\t1\n"
                         "get\tNone\tk\tfallback\n"
                         "sections\n"
                         "keys\tOptions\n"
                         "set\tOptions\tServerAddr\t5.6.7.8\n"
                         "delete\tOptions\tFull\n"
                         "values\tOptions\n"
                         "set\tNew\t名字\t值\n"
                         "erase\tOther\n");
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "1.2.3.4\n16\n1\n1\nfallback\n"
            "Options\nOther\n\n"
            "ServerAddr\nParam1\nFull\n\n"
            "ServerAddr=5.6.7.8\nParam1=0x10\n\n");
  // The untouched comment stays; the written value keeps its comment; GBK in the file.
  std::string after = ReadFileBytes(ini);
  EXPECT_EQ(after.rfind("; kept\r\n[Options]\r\nServerAddr=5.6.7.8", 0), 0u) << after;
  EXPECT_NE(after.find("; old"), std::string::npos);
  EXPECT_NE(after.find("[New]\r\n\xc3\xfb\xd7\xd6=\xd6\xb5\r\n"), std::string::npos) << after;
  EXPECT_EQ(after.find("[Other]"), std::string::npos);
  ToolResult get = RunTool({"ini", "get", ini, "New", "名字"});
  EXPECT_EQ(get.Out, "值\n");
}

TEST(QevtoolIni, ReadsLeaveTheFileAsItWasAndBadInputChangesNothing) {
  TempFolder dir;
  std::string ini = dir / "a.ini";
  const std::string odd = "[S]\nk  =  v  \nnoequals\n[S]\nk=last";  // no final line break
  WriteFileBytes(ini, odd);
  ToolResult r = RunTool({"ini", "run", ini}, "get\tS\tk\nsections\nset\tS\tk\tlast\n");
  EXPECT_EQ(r.Out, "last\nS\nS\n\n");
  EXPECT_EQ(ReadFileBytes(ini), odd);  // the same value written: not modified, not written

  // An unknown operation on line 2 stops everything before line 1 runs.
  ToolResult bad = RunTool({"ini", "run", ini}, "set\tS\tk\tnew\nfrobnicate\n");
  EXPECT_EQ(bad.Exit, 2);
  EXPECT_NE(bad.Err.find("line 2"), std::string::npos);
  EXPECT_EQ(RunTool({"ini", "run", ini}, "getint\tS\tk\tnotanumber\n").Exit, 2);
  EXPECT_EQ(RunTool({"ini", "run", ini}, "keys\n").Exit, 2);
  EXPECT_EQ(ReadFileBytes(ini), odd);
  EXPECT_EQ(RunTool({"ini", "set", ini, "S", "k"}).Exit, 2);

  // A value with a line break would inject a section; a key with "=" could not be read
  // back. Both are refused and the file stays as it was.
  EXPECT_EQ(RunTool({"--raw", "ini", "set", ini, "a", "k", "v\r\n[b]\r\nz=2"}).Exit, 2);
  EXPECT_EQ(RunTool({"ini", "set", ini, "a", "k", "v\nz=2"}).Exit, 2);
  EXPECT_EQ(RunTool({"ini", "set", ini, "s", "k=j", "v"}).Exit, 2);
  EXPECT_EQ(RunTool({"ini", "set", ini, "s\r", "k", "v"}).Exit, 2);
  EXPECT_EQ(RunTool({"ini", "run", ini}, "set\tS\tk=j\tv\n").Exit, 2);
  EXPECT_EQ(ReadFileBytes(ini), odd);
}

TEST(QevtoolIni, FailedWriteBackExitsWithOne) {
  TempFolder dir;
  // The folder does not exist, so the write-back at release cannot create the file.
  ToolResult r = RunTool({"ini", "set", dir / "missing/x.ini", "S", "k", "v"});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err.rfind("qevtool: ", 0), 0u);
  // A missing file reads as empty and a read alone creates nothing.
  ToolResult get = RunTool({"ini", "get", dir / "none.ini", "S", "k", "d"});
  EXPECT_EQ(get.Out, "d\n");
  EXPECT_FALSE(PathExists(dir / "none.ini"));
}

}  // namespace
}  // namespace qev::test
