// The command-line rules every command shares: help, exit codes, error prefix.

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace qev::test {
namespace {

TEST(QevtoolCli, HelpDescribesEveryCommandAndExitsZero) {
  ToolResult r = RunTool({"--help"});
  EXPECT_EQ(r.Exit, 0);
  EXPECT_NE(r.Out.find("usage: qevtool"), std::string::npos);
  EXPECT_NE(r.Out.find("status-server"), std::string::npos);
  EXPECT_EQ(r.Err, "");

  ToolResult one = RunTool({"status-server", "--help"});
  EXPECT_EQ(one.Exit, 0);
  EXPECT_NE(one.Out.find("--push TEXT"), std::string::npos);
  EXPECT_NE(one.Out.find("--raw"), std::string::npos);
}

TEST(QevtoolCli, UsageMistakesExitWithTwoAndPrefixedMessage) {
  const std::vector<std::vector<std::string>> mistakes = {
      {},
      {"no-such-command"},
      {"status-server"},                          // --port missing
      {"status-server", "--port"},                // value missing
      {"status-server", "--port", "x"},           // not a number
      {"status-server", "--port", "70000"},       // out of range
      {"status-server", "--port", "1", "extra"},  // stray positional
      {"status-server", "--port", "1", "--port", "2"},
      {"status-server", "--port", "1", "--nope"},
      {"status-server", "--close=yes", "--port", "1"},
  };
  for (const auto& args : mistakes) {
    ToolResult r = RunTool(args);
    std::string shown = args.empty() ? "(none)" : args[0];
    EXPECT_EQ(r.Exit, 2) << shown << " " << r.Err;
    EXPECT_EQ(r.Err.rfind("qevtool: ", 0), 0u) << r.Err;
    EXPECT_EQ(r.Out, "");
  }
}

}  // namespace
}  // namespace qev::test
