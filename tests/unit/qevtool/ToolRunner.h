#pragma once
// Runs the built qevtool as a child process, for end-to-end tests of its commands.

#include <sys/types.h>
#include <string>
#include <vector>

namespace qev::test {

struct ToolResult {
  int Exit = -1;
  std::string Out;
  std::string Err;
};

// Runs qevtool with args, feeding input on standard input; waits for it to end.
ToolResult RunTool(const std::vector<std::string>& args, const std::string& input = "");

// A qevtool that keeps running (the status server): its output is read line by line.
class BackgroundTool {
 public:
  explicit BackgroundTool(const std::vector<std::string>& args);
  ~BackgroundTool();
  BackgroundTool(const BackgroundTool&) = delete;
  BackgroundTool& operator=(const BackgroundTool&) = delete;

  // The next line of standard output without its line break; empty after timeoutMs.
  std::string ReadLine(int timeoutMs = 5000);
  // Sends the signal and waits; the exit code, or -1 when it did not end in time.
  int Stop(int signal);

 private:
  pid_t pid_ = -1;
  int outFd_ = -1;
  std::string pending_;
};

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& data);
bool PathExists(const std::string& path);
// The names in a folder (sorted), to see that nothing stray was left behind.
std::vector<std::string> FolderNames(const std::string& path);

}  // namespace qev::test
