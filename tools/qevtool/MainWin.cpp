// Entry of qevtool.exe: the arguments arrive as UTF-16 and are handed on as UTF-8;
// files are reached through the launcher's own Windows file system, which takes GBK
// paths. The console is switched to UTF-8 so that printed text shows as it does on Linux.

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "Tool.h"
#include "win32/Win32FileSystem.h"

namespace {

std::string WideToUtf8(const wchar_t* w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string s(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
  qev::Win32FileSystem fs;
  qev::tool::ToolContext ctx(fs, fs, std::cin, std::cout, std::cerr);
  return qev::tool::RunTool(ctx, args);
}
