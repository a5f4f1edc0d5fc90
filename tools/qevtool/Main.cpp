// Entry of qevtool on Linux: the arguments are UTF-8 and files are reached through
// POSIX, with GBK paths turned into the host's UTF-8 names (or, with --raw, kept as
// GBK bytes).

#include <iostream>
#include <string>
#include <vector>

#include "GbkPathFileSystem.h"
#include "Tool.h"
#include "posix/PosixFileSystem.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  qev::PosixFileSystem host;
  qev::tool::GbkPathFileSystem gbk(host);
  // --raw hands the bytes of the files' GBK names to the host unchanged.
  qev::PosixFileSystem raw(true);
  qev::tool::ToolContext ctx(gbk, raw, std::cin, std::cout, std::cerr);
  return qev::tool::RunTool(ctx, args);
}
