#include <gtest/gtest.h>

#include <cstring>

#include "config/ProcessValues.h"

namespace qev {
namespace {

struct PathCase {
  int line;
  const char* exePath;
  const char* appDir;
};

TEST(ProcessValues, AppDirAndFileNames) {
  const PathCase cases[] = {
      {__LINE__, "D:\\QevLogin.exe", "D:\\"},
      {__LINE__, "D:\\game\\QevLogin.exe", "D:\\game\\"},
      {__LINE__, "C:\\a\\b\\c\\x.exe", "C:\\a\\b\\c\\"},
      {__LINE__, "D:QevLogin.exe", "D:\\"},
      {__LINE__, "\\\\host\\share\\g\\QevLogin.exe", "\\\\host\\share\\g\\"},
      // 0x95 0x5c is one GBK character whose second byte looks like a backslash.
      {__LINE__, "D:\\\x95\x5c\\QevLogin.exe", "D:\\\x95\x5c\\"},
      {__LINE__, "D:\\\xd3\xce\x95\x5cQevLogin.exe", "D:\\"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.line);
    ProcessValues v;
    InitProcessValues(v, c.exePath);
    EXPECT_EQ(v.AppDir, c.appDir);
    EXPECT_EQ(v.ConfigFileName, std::string(c.appDir) + "tolw3.inf");
    EXPECT_EQ(v.UpdateInfoFileName, std::string(c.appDir) + "update\\tolw3.up");
  }
}

TEST(ProcessValues, GameFolderExampleAndFreshLists) {
  ProcessValues v;
  v.ServerList.push_back(std::make_unique<TServerInfo>());
  v.PatchList.push_back(std::make_unique<TPatchInfo>());
  InitProcessValues(v, "D:\\game\\QevLogin.exe");
  EXPECT_EQ(v.ConfigFileName, "D:\\game\\tolw3.inf");
  EXPECT_EQ(v.UpdateInfoFileName, "D:\\game\\update\\tolw3.up");
  EXPECT_TRUE(v.ServerList.empty());
  EXPECT_TRUE(v.PatchList.empty());
}

TEST(ProcessValues, TitleIsOneNonEmptyGbkLine) {
  std::string title = LauncherTitle;
  ASSERT_FALSE(title.empty());
  EXPECT_EQ(title.find_first_of("\r\n"), std::string::npos);
  for (size_t i = 0; i < title.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(title[i]);
    if (c >= 0x81) {  // a two-byte character: the lead byte needs a trail byte
      ASSERT_LT(i + 1, title.size());
      ++i;
    }
  }
  EXPECT_STREQ(LauncherId, "tolw3");
}

}  // namespace
}  // namespace qev
